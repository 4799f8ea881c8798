# The save refuses two variables of exactly the same name and shows the lower
# row of the first such pair; letter case counts, and a row without a type is
# no variable, so neither of those is a duplicate for the editor.
library app.lib
store s_dup "global type s_dup from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\n\tinteger\t\td\r\nend type"
create standalone open=s_dup

# Rows a, b, a, a: the first pair found is rows 1 and 3.
cell 3 1
type "a"
cell 4 1
type "a"
cell 5 1
answer message ok
command save
expect message 4016
expect current 3 1
expect field changed 1
expect source s_dup "global type s_dup from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\n\tinteger\t\td\r\nend type"

# Total and total differ in case: the editor lets them through and the
# compiler judges them.
cell 1 1
type "Total"
cell 3 1
type "total"
cell 4 1
type "d"
cell 5 1
command save
expect nomessage
expect errors "4: total: Duplicate variable name: same as \"Total\" apart from letter case."
expect field changed 1

# d in row 4 again, but without a type: only one d is a variable, and the save
# stops at the row with no type rather than at a duplicate.
cell 3 1
type "c"
cell 2 1
type "d"
cell 4 2
textsel 0 7
command clear
cell 5 1
expect grid
Total integer . .
d integer . .
c integer . .
d . . .
. . . E
end
answer message ok
command save
expect message 4031 "d"
expect current 4 2
expect field changed 1
click var_row 4
command deleterow
command save
expect nomessage
expect field changed 0
expect source s_dup "global type s_dup from structure\r\n\tinteger\t\tTotal\r\n\tinteger\t\td\r\n\tinteger\t\tc\r\nend type"
