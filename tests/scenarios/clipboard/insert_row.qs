# Insert Row moves the empty entry row to just above the focus row.
library app.lib
store s_four "global type s_four from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\n\tinteger\t\td\r\nend type"
create standalone open=s_four

# Focus above the entry row: the entry row takes the focus row's number.
cell 2 1
command insertrow
expect grid
a integer . .
. . . E
b integer . .
c integer . .
d integer . .
end
expect field entryRow 2
expect current 2 1
expect field changed 0
expect field lastAction 0

# Focus just below the entry row: no row moves.
cell 3 1
command insertrow
expect field entryRow 2
expect current 2 1
expect rows 5

# Focus two rows below: the entry row ends right above the focus row.
cell 4 1
command insertrow
expect grid
a integer . .
b integer . .
. . . E
c integer . .
d integer . .
end
expect field entryRow 3
expect current 3 1

# A selected row is the target and is unselected.
click var_row 5
command insertrow
expect grid
a integer . .
b integer . .
c integer . .
. . . E
d integer . .
end
expect field entryRow 4

# A selected row just below the entry row: it is unselected, no row moves.
click var_row 5
expect field entryRow 4
command insertrow
expect field entryRow 4
expect current 4 1
expect grid
a integer . .
b integer . .
c integer . .
. . . E
d integer . .
end

# The entry row itself selected: nothing happens, the selection stays.
click var_row 4
command insertrow
expect grid
a integer . .
b integer . .
c integer . .
. . . ES
d integer . .
end
