# Three rows pasted before row 4 (entry row 9) are removed by Undo, pasted
# again above the entry row by Redo, and removed again.
library app.lib
store s_eight "global type s_eight from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\n\tinteger\t\tv4\r\n\tinteger\t\tv5\r\n\tinteger\t\tv6\r\n\tinteger\t\tv7\r\n\tinteger\t\tv8\r\nend type"
create standalone open=s_eight
expect field entryRow 9
clipboard "\tstring\t\tp1\r\n\tstring\t\tp2\r\n\tstring\t\tp3\r\n"
cell 4 1
command paste
expect field entryRow 12
expect field undoRow 4
expect field pastedCount 3
menu edit
expect menu 1258 "&Undo Paste\tCtrl+Z" enabled
expect menu 1264 "&Paste\tCtrl+V" enabled

command undo
expect rows 9
expect field entryRow 9
expect field lastAction 16
expect field changed 1
menu edit
expect menu 1258 "&Redo\tCtrl+Z" enabled
expect grid
v1 integer . .
v2 integer . .
v3 integer . .
v4 integer . .
v5 integer . .
v6 integer . .
v7 integer . .
v8 integer . .
. . . E
end

command undo
expect field entryRow 12
expect field undoRow 9
expect field lastAction 15
menu edit
expect menu 1258 "&Undo Paste\tCtrl+Z" enabled
expect grid
v1 integer . .
v2 integer . .
v3 integer . .
v4 integer . .
v5 integer . .
v6 integer . .
v7 integer . .
v8 integer . .
p1 string . .
p2 string . .
p3 string . .
. . . E
end

command undo
expect rows 9
expect field entryRow 9
expect field lastAction 16
