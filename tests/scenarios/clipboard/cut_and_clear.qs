# Cut and Clear of rows keep the entry row: a selected entry row is replaced by
# a new one at the end, otherwise it moves up by the rows deleted above it.
library app.lib
store s_five "global type s_five from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\n\tinteger\t\td\r\n\tstring\t\te\r\nend type"
create standalone open=s_five

# Cut with the entry row among the selected rows.
click var_row 5
click var_row 6 shift
command cut
expect clipboard "\tstring\t\te\r\n"
expect grid
a integer . .
b integer . .
c integer . .
d integer . .
. . . E
end
expect field entryRow 5
expect field lastAction 11
expect field changed 1
expect current 5 1

# Clear on both sides of the entry row: only the row above moves it.
cell 3 1
command insertrow
expect grid
a integer . .
b integer . .
. . . E
c integer . .
d integer . .
end
click var_row 1
click var_row 4 ctrl
command clear
expect clipboard "\tinteger\t\ta\r\n\tinteger\t\tc\r\n"
expect grid
b integer . .
. . . E
d integer . .
end
expect field entryRow 2
expect field lastAction 17
expect current 2 1

# Clear of rows all above the entry row.
click var_row 1
command clear
expect field entryRow 1
expect grid
. . . E
d integer . .
end

# Clear with the entry row selected appends a new one.
click var_row 1
click var_row 2 shift
command clear
expect clipboard "\tinteger\t\td\r\n"
expect grid
. . . E
end
expect field entryRow 1
