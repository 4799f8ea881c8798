# What each row command leaves for the Edit menu: the Undo label, the Paste
# item, and Cut, Copy and Clear following the row selection.
library app.lib
store s_three "global type s_three from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\nend type"
create standalone open=s_three
clipboard none

# Cut with the entry row selected: its line is missing, a new entry row ends the grid.
click var_row 3
click var_row 4 shift
menu edit
expect menu 1260 "Cu&t\tCtrl+X" enabled
expect menu 1262 "&Copy\tCrtl+C" enabled
expect menu 1266 "Cl&ear\tDel" enabled
expect menu 1264 "&Paste\tCtrl+V" grayed
command cut
expect clipboard "\tinteger\t\tc\r\n"
expect field cutRowList "3 4"
expect field lastAction 11
expect field changed 1
expect field entryRow 3
expect current 3 1
expect grid
a integer . .
b integer . .
. . . E
end
menu edit
expect menu 1258 "&Undo Cut\tCtrl+Z" enabled
expect menu 1264 "&Paste\tCtrl+V" enabled
expect menu 1260 "Cu&t\tCtrl+X" grayed
expect menu 1262 "&Copy\tCrtl+C" grayed
expect menu 1266 "Cl&ear\tDel" grayed

# Copy leaves the rows and the entry row, unselects, and keeps the Undo label.
click var_row 1
command copy
expect field lastAction 13
expect field cutRowList "1"
expect clipboard "\tinteger\t\ta\r\n"
expect field entryRow 3
expect current 3 1
expect grid
a integer . .
b integer . .
. . . E
end
menu edit
expect menu 1258 "&Undo Cut\tCtrl+Z" enabled

# A row Clear grays Paste whatever the clipboard holds.
click var_row 2
command clear
expect field lastAction 17
expect clipboard "\tinteger\t\tb\r\n"
expect field entryRow 2
expect current 2 1
menu edit
expect menu 1258 "&Undo Clear\tCtrl+Z" enabled
expect menu 1264 "&Paste\tCtrl+V" grayed

# The command itself still pastes: the clipboard's line feed means rows.
command paste
expect field lastAction 15
expect field undoRow 2
expect field pastedCount 1
expect field entryRow 3
expect grid
a integer . .
b integer . .
. . . E
end
menu edit
expect menu 1258 "&Undo Paste\tCtrl+Z" enabled
expect menu 1264 "&Paste\tCtrl+V" enabled
