# Delete Row is undone like a row Clear: the row comes back at its old
# number, after which the menu says nothing can be
# undone and Ctrl+Z, which follows the menu, does nothing.
library app.lib
store s_three "global type s_three from structure\r\n\tinteger\t\ta\r\n\tdecimal {2}\tb\r\n\tstring\t\tc\r\nend type"
create standalone open=s_three
cell 2 2
command deleterow
expect clipboard "\tdecimal {2}\tb\r\n"
expect field lastAction 17
expect field cutRowList "2"
menu edit
expect menu 1258 "&Undo Clear\tCtrl+Z" enabled
expect menu 1264 "&Paste\tCtrl+V" grayed

key ctrl+z
expect field lastAction 18
expect field entryRow 4
expect grid
a integer . .
b decimal 2 S
c string . .
. . . E
end
menu edit
expect menu 1258 "Can't Undo\tCtrl+Z" grayed
expect menu 1264 "&Paste\tCtrl+V" enabled

key ctrl+z
expect field lastAction 18
expect rows 4

# The command itself still clears the restored row again.
command undo
expect field lastAction 17
expect field entryRow 3
expect grid
a integer . .
c string . .
. . . E
end

# Another program replaced the clipboard with other row text: the undo still
# puts back the deleted row, not that text.
clipboard "\tlong\t\tother\r\n"
command undo
expect field lastAction 18
expect grid
a integer . .
b decimal 2 S
c string . .
. . . E
end

# A clear that takes the entry row with it: the undo brings the variables
# back and the entry row is found again by its marker.
click var_row 3
click var_row 4 shift
command clear
expect clipboard "\tstring\t\tc\r\n"
expect field cutRowList "3 4"
expect grid
a integer . .
b decimal 2 .
. . . E
end
expect field entryRow 3
command undo
expect grid
a integer . .
b decimal 2 .
c string . S
. . . E
end
expect field entryRow 4
expect field lastAction 18
