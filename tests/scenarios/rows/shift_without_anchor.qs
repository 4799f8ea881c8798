# New and Open forget the Shift anchor: a Shift-press right after them
# records the press and moves the current cell to the entry row, but selects
# nothing.
library app.lib
store s_four "global type s_four from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\n\tinteger\t\tv4\r\nend type"
create standalone open=s_four
click var_row 2
expect field anchorRow 2

answer open s_four
command open
expect field anchorRow 0
cell 1 1
press var_row 3 shift
expect field pressRow 3
expect field lastAction 0
expect current 5 1
release var_row 3
expect grid
v1 integer . .
v2 integer . .
v3 integer . .
v4 integer . .
. . . E
end

click var_row 2
expect field anchorRow 2
command new
expect field anchorRow 0
cell 1 1
type "x"
cell 2 1
type "y"
click var_row 1 shift
expect field anchorRow 0
expect current 3 1
expect grid
x string . .
y string . .
. . . E
end
