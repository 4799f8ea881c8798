# Drops are compared with the tracked bounds selFirst and selLast: a drop
# strictly between them does nothing, one on or outside them moves the block.
library app.lib
store s_nine "global type s_nine from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\n\tinteger\t\tv4\r\n\tinteger\t\tv5\r\n\tinteger\t\tv6\r\n\tinteger\t\tv7\r\n\tinteger\t\tv8\r\n\tinteger\t\tv9\r\nend type"
create standalone open=s_nine

# Rows 5 to 8 selected; pressing row 6 and releasing it there moves nothing
# and the press has ended the undo record.
click var_row 5
click var_row 8 shift
press var_row 6
expect field dragState 2
release var_row 6
expect field lastAction 0
expect field changed 0
expect field dragState 0
expect grid
v1 integer . .
v2 integer . .
v3 integer . .
v4 integer . .
v5 integer . S
v6 integer . S
v7 integer . S
v8 integer . S
v9 integer . .
. . . E
end

# Ctrl-presses leave one selected row: selLast is 0 and any drop is taken.
click var_row 2
click var_row 3 ctrl
expect field selFirst 2
expect field selLast 3
click var_row 3 ctrl
expect field selFirst 2
expect field selLast 0
press var_row 2
move var_row 3
move var_row 4
release var_row 4
expect field lastAction 19
expect field changed 1
expect grid
v1 integer . .
v3 integer . .
v2 integer . .
v4 integer . .
v5 integer . .
v6 integer . .
v7 integer . .
v8 integer . .
v9 integer . .
. . . E
end

# Rows 2 and 4 by Ctrl after a press on a data cell: the first of them
# becomes the lower bound, so a drop on row 3 lies between the bounds, one on
# row 6 does not.
click var_name 1
click var_row 2 ctrl
click var_row 4 ctrl
expect field selFirst 2
expect field selLast 4
press var_row 4
move var_row 3
release var_row 3
expect field lastAction 0
expect grid
v1 integer . .
v3 integer . S
v2 integer . .
v4 integer . S
v5 integer . .
v6 integer . .
v7 integer . .
v8 integer . .
v9 integer . .
. . . E
end
press var_row 4
move var_row 6
release var_row 6
expect field lastAction 19
expect grid
v1 integer . .
v2 integer . .
v5 integer . .
v3 integer . .
v4 integer . .
v6 integer . .
v7 integer . .
v8 integer . .
v9 integer . .
. . . E
end
