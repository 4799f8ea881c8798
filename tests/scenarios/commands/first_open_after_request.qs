# An editor created to show a named structure has had its structure: no later
# Open dialog is its first, so cancelling one leaves the editor as it is.
library app.lib
store s_two "global type s_two from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\nend type"
store s_one "global type s_one from structure\r\n\tlong\t\tx\r\nend type"
create standalone open=s_two
expect field firstOpen 0
answer open cancel
command open
expect open
expect title "Structure - s_two"
expect grid
a integer . .
b integer . .
. . . E
end

# An editor started without a structure: its first dialog, answered, was its
# first; a later one cancelled leaves it open whatever the first one chose.
create standalone
expect field firstOpen 1
answer open new
pump
expect field firstOpen 0
answer open cancel
command open
expect open
expect title "Structure - (Untitled)"

create standalone
answer open s_one
pump
answer open cancel
command open
expect open
expect title "Structure - s_one"

# Only cancelling the very first dialog closes an editor.
create standalone
answer open cancel
pump
expect closed
