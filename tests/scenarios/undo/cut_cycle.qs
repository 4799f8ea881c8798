# Rows 3 and 7 cut come back at rows 3 and 7, selected; the cut can then be
# repeated by the same command although the menu shows it cannot be undone.
library app.lib
store s_eight "global type s_eight from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\n\tinteger\t\tv4\r\n\tinteger\t\tv5\r\n\tinteger\t\tv6\r\n\tinteger\t\tv7\r\n\tinteger\t\tv8\r\nend type"
create standalone open=s_eight
click var_row 3
click var_row 7 ctrl
command cut
expect clipboard "\tinteger\t\tv3\r\n\tinteger\t\tv7\r\n"
expect field entryRow 7
expect field changed 1
menu edit
expect menu 1258 "&Undo Cut\tCtrl+Z" enabled

command undo
expect field lastAction 12
expect field entryRow 9
expect grid
v1 integer . .
v2 integer . .
v3 integer . S
v4 integer . .
v5 integer . .
v6 integer . .
v7 integer . S
v8 integer . .
. . . E
end
menu edit
expect menu 1258 "Can't Undo\tCtrl+Z" grayed

# The command still arrives through the toolbar: the cut is made again.
command undo
expect field lastAction 11
expect field entryRow 7
expect rows 7
expect clipboard "\tinteger\t\tv3\r\n\tinteger\t\tv7\r\n"
menu edit
expect menu 1258 "&Undo Cut\tCtrl+Z" enabled
