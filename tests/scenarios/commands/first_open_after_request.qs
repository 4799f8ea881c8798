# An editor created with a structure to load has had no Open command yet: its
# first Open dialog, cancelled, still closes it. Once an Open went through, a
# cancelled dialog leaves the editor as it is.
library app.lib
store s_two "global type s_two from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\nend type"
store s_one "global type s_one from structure\r\n\tlong\t\tx\r\nend type"
create standalone open=s_two
expect field firstOpen 1
expect title "Structure - s_two"
answer open cancel
command open
expect closed

create standalone open=s_two
answer open s_one
command open
expect field firstOpen 0
expect title "Structure - s_one"
answer open cancel
command open
expect open
expect field firstOpen 0
expect title "Structure - s_one"
expect grid
x long . .
. . . E
end
