# Moves and their undo: the block leaves the rows it came from and returns to
# them, selected; the undo removes exactly the rows the move inserted.
library app.lib
store s_seven "global type s_seven from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\n\tinteger\t\tv4\r\n\tinteger\t\tv5\r\n\tinteger\t\tv6\r\n\tinteger\t\tv7\r\nend type"
create standalone open=s_seven

# Rows 5 and 6 (anchor 5) to row 2.
click var_row 5
click var_row 6 shift
press var_row 6
move var_row 2
release var_row 2
expect field entryRow 8
expect field undoRow 8
expect grid
v1 integer . .
v5 integer . .
v6 integer . .
v2 integer . .
v3 integer . .
v4 integer . .
v7 integer . .
. . . E
end
command undo
expect field entryRow 8
expect grid
v1 integer . .
v2 integer . .
v3 integer . .
v4 integer . .
v5 integer . S
v6 integer . S
v7 integer . .
. . . E
end

# Rows 2 and 6 chosen with a plain press on 6 and a Ctrl-press on 2, then
# dropped onto row 6 itself: the anchor is the drop row, yet the undo takes
# out the moved block and nothing else.
click var_name 1
click var_row 6
click var_row 2 ctrl
press var_row 6
move var_row 5
move var_row 6
release var_row 6
expect grid
v1 integer . .
v3 integer . .
v4 integer . .
v5 integer . .
v2 integer . .
v6 integer . .
v7 integer . .
. . . E
end
command undo
expect field entryRow 8
expect grid
v1 integer . .
v2 integer . S
v3 integer . .
v4 integer . .
v5 integer . .
v6 integer . S
v7 integer . .
. . . E
end
