# Rows 4 to 6 (the last variables and the entry row) dropped onto row 6, the
# last of them: every row from the drop row on was selected, so the block
# goes back to the end in its order and nothing has changed but the undo
# record.
library app.lib
store s_five "global type s_five from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\n\tinteger\t\tv4\r\n\tinteger\t\tv5\r\nend type"
create standalone open=s_five
click var_row 4
click var_row 6 shift
press var_row 4
move var_row 5
move var_row 6
release var_row 6
expect field lastAction 19
expect field changed 0
expect field entryRow 6
expect field undoRow 6
expect field moveCount 3
expect current 6 1
expect grid
v1 integer . .
v2 integer . .
v3 integer . .
v4 integer . .
v5 integer . .
. . . E
end

# A drop on row 5, strictly inside the bounds, is ignored.
click var_row 4
click var_row 6 shift
press var_row 4
move var_row 5
release var_row 5
expect field lastAction 0
expect grid
v1 integer . .
v2 integer . .
v3 integer . .
v4 integer . S
v5 integer . S
. . . ES
end
