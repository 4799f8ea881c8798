# Every key of the accelerator tables reaches its command; a key whose Edit
# item is grayed when its pop-up is prepared runs nothing.
library app.lib
object window w_main
store s_two "global type s_two from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\nend type"
store s_one "global type s_one from structure\r\n\tlong\t\tx\r\nend type"
store-local w_main s_line "type s_line from structure\r\n\tstring\t\ttext\r\nend type"
create standalone open=s_two
clipboard none

# Quill Panel is the host's; Return is not in the stand-alone table.
key ctrl+shift+n
key ctrl+shift+t
expect open
expect nomessage
expect field changed 0

# Del with no row and no text selected: Clear is grayed, nothing runs.
key del
expect field lastAction 0
expect field changed 0
expect rows 3

click var_row 1
key ctrl+c
expect clipboard "\tinteger\t\ta\r\n"
expect field lastAction 13
expect field changed 0

click var_row 2
key del
expect field lastAction 17
expect field changed 1
expect clipboard "\tinteger\t\tb\r\n"
expect grid
a integer . .
. . . E
end

# After a row Clear, Paste is grayed, so Ctrl+V does nothing.
key ctrl+v
expect field lastAction 17
expect rows 2

key ctrl+z
expect field lastAction 18
expect grid
a integer . .
b integer . S
. . . E
end

key ctrl+x
expect field lastAction 11
expect clipboard "\tinteger\t\tb\r\n"
expect grid
a integer . .
. . . E
end
key ctrl+v
expect field lastAction 15
expect grid
a integer . .
b integer . .
. . . E
end

key ctrl+s
expect nomessage
expect field changed 0
expect source s_two "global type s_two from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\nend type"

key ctrl+p
expect nomessage
expect printed app.lib s_two.srs 1

answer open s_one
key ctrl+o
expect title "Structure - s_one"
expect grid
x long . .
. . . E
end

key ctrl+n
expect title "Structure - (Untitled)"
expect rows 1

key ctrl+w
expect closed

# The embedded table adds Ctrl+Shift+T, Return: a named structure is saved
# without a dialog and the editor closes.
create embedded w_main
answer open s_line
pump
cell 1 1
type "note"
cell 2 1
key ctrl+shift+t
expect closed
expect local w_main s_line "type s_line from structure\r\n\tstring\t\tnote\r\nend type"
