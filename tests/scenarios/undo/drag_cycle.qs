# A drag of rows 5 and 6 to row 2 is undone (the rows return, selected) and
# redone (the same rows move again).
library app.lib
store s_eight "global type s_eight from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\n\tinteger\t\tv4\r\n\tinteger\t\tv5\r\n\tinteger\t\tv6\r\n\tinteger\t\tv7\r\n\tinteger\t\tv8\r\nend type"
create standalone open=s_eight
click var_row 5
click var_row 6 shift
press var_row 5
move var_row 3
move var_row 2
release var_row 2
expect field lastAction 19
expect grid
v1 integer . .
v5 integer . .
v6 integer . .
v2 integer . .
v3 integer . .
v4 integer . .
v7 integer . .
v8 integer . .
. . . E
end
menu edit
expect menu 1258 "&Undo Drag and Drop\tCtrl+Z" enabled

command undo
expect field lastAction 20
expect field changed 1
expect field entryRow 9
expect grid
v1 integer . .
v2 integer . .
v3 integer . .
v4 integer . .
v5 integer . S
v6 integer . S
v7 integer . .
v8 integer . .
. . . E
end
menu edit
expect menu 1258 "&Redo\tCtrl+Z" enabled

command undo
expect field lastAction 19
expect grid
v1 integer . .
v5 integer . .
v6 integer . .
v2 integer . .
v3 integer . .
v4 integer . .
v7 integer . .
v8 integer . .
. . . E
end
menu edit
expect menu 1258 "&Undo Drag and Drop\tCtrl+Z" enabled

# A press in the row-indicator column ends the undo: Undo then does nothing.
click var_row 1
expect field lastAction 0
command undo
expect field lastAction 0
expect grid
v1 integer . S
v5 integer . .
v6 integer . .
v2 integer . .
v3 integer . .
v4 integer . .
v7 integer . .
v8 integer . .
. . . E
end
