# Rows are selected by a press in the row-indicator column, extended with
# Shift from the anchor and toggled with Ctrl; the drop bounds only grow.
library app.lib
store s_nine "global type s_nine from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\n\tinteger\t\tv4\r\n\tinteger\t\tv5\r\n\tinteger\t\tv6\r\n\tinteger\t\tv7\r\n\tinteger\t\tv8\r\n\tinteger\t\tv9\r\nend type"
create standalone open=s_nine

click var_row 5
click var_row 8 shift
expect field anchorRow 5
expect field selFirst 5
expect field selLast 8
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

# A smaller Shift range selects fewer rows but keeps the tracked bounds,
# so a drop on row 7 lies inside them and is ignored.
click var_row 6 shift
expect field selLast 8
press var_row 5
move var_row 7
release var_row 7
expect field lastAction 0
expect grid
v1 integer . .
v2 integer . .
v3 integer . .
v4 integer . .
v5 integer . S
v6 integer . S
v7 integer . .
v8 integer . .
v9 integer . .
. . . E
end

# Ctrl toggles single rows; unselecting recomputes the bounds.
click var_row 2 ctrl
expect field selFirst 2
click var_row 5 ctrl
click var_row 6 ctrl
expect field selFirst 2
expect field selLast 0

# A press on a data cell clears the selection and the anchor: Shift then does nothing.
click var_name 3
expect field anchorRow 0
click var_row 7 shift
expect grid
v1 integer . .
v2 integer . .
v3 integer . .
v4 integer . .
v5 integer . .
v6 integer . .
v7 integer . .
v8 integer . .
v9 integer . .
. . . E
end
