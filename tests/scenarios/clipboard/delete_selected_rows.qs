# Rows 1, 2 and 6 selected with the entry row at 5: two of them stood above it,
# so the entry row becomes row 3.
library app.lib
store s_six "global type s_six from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\n\tinteger\t\tv4\r\n\tinteger\t\tv5\r\n\tinteger\t\tv6\r\nend type"
create standalone open=s_six
cell 5 1
command insertrow
expect field entryRow 5
click var_row 1
click var_row 2 shift
click var_row 6 ctrl
command clear
expect grid
v3 integer . .
v4 integer . .
. . . E
v6 integer . .
end
expect field entryRow 3
expect clipboard "\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv5\r\n"

# Delete Row with nothing selected and the focus in the entry row does nothing.
cell 3 1
command deleterow
expect rows 4
expect field lastAction 17

# With the focus in another row it deletes that row, through the clipboard.
cell 4 1
command deleterow
expect clipboard "\tinteger\t\tv6\r\n"
expect grid
v3 integer . .
v4 integer . .
. . . E
end
expect field lastAction 17
expect field changed 1
cell 1 1
command deleterow
expect field entryRow 2
expect grid
v4 integer . .
. . . E
end
