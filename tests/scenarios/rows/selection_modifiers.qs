# Shift is tested before Ctrl, and neither starts a drag, even on a selected
# row. Every press in the row-indicator column ends the undo record, moves
# the current cell to the entry row and records the pressed row, also when
# Shift finds no anchor.
library app.lib
store s_six "global type s_six from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\n\tinteger\t\tv4\r\n\tinteger\t\tv5\r\n\tinteger\t\tv6\r\nend type"
create standalone open=s_six

# No anchor yet: nothing is selected, but the press still counts.
cell 1 1
type "w"
expect field lastAction 6
press var_row 3 shift
expect field lastAction 0
expect field pressRow 3
expect field anchorRow 0
expect current 7 1
expect field dragState 0
release var_row 3
expect grid
w integer . .
v2 integer . .
v3 integer . .
v4 integer . .
v5 integer . .
v6 integer . .
. . . E
end

# Shift and Ctrl together act as Shift: a range from the anchor.
click var_row 2
click var_row 4 shift ctrl
expect field anchorRow 2
expect field selFirst 2
expect field selLast 4
expect grid
w integer . .
v2 integer . S
v3 integer . S
v4 integer . S
v5 integer . .
v6 integer . .
. . . E
end

# Shift on a selected row re-ranges from the anchor; no drag begins.
press var_row 3 shift
expect field dragState 0
expect field pressRow 3
move var_row 6
expect field dragState 0
release var_row 6
expect field selLast 4
expect grid
w integer . .
v2 integer . S
v3 integer . S
v4 integer . .
v5 integer . .
v6 integer . .
. . . E
end

# Ctrl on an unselected row adds it and widens the bounds; the anchor stays.
click var_row 6 ctrl
expect field anchorRow 2
expect field selFirst 2
expect field selLast 6
# Shift from the anchor replaces the toggled selection with the range.
click var_row 1 shift
expect field selFirst 1
expect field selLast 6
expect grid
w integer . S
v2 integer . S
v3 integer . .
v4 integer . .
v5 integer . .
v6 integer . .
. . . E
end
