# Typing into a row that is not the entry row records the edit and opens no
# row; the growth waits until a cell is entered again. Typing into the entry
# row's name cell clears a row selection.
library app.lib
store s_two "global type s_two from structure\r\n\tdecimal {2}\t\tamount\r\n\tinteger\t\tqty\r\nend type"
create standalone open=s_two
expect field changed 0
cell 1 1
type "total"
expect field lastAction 6
expect field changed 1
expect field autoAppendArmed 0
expect rows 3
cell 3 1
expect field autoAppendArmed 1

# The press in the row-indicator column makes the entry row's name cell
# current; typing there unselects the row and grows the entry row.
click var_row 2
expect current 3 1
type "n"
expect field entryRow 4
cell 4 1
expect grid
total decimal 2 .
qty integer . .
n integer . .
. . . E
end

# Leaving a type cell that reads "Dec" keeps the decimals; a blank before an
# abbreviation is no abbreviation, and the non-decimal type clears them.
cell 1 2
type "Dec"
cell 1 3
expect grid
total decimal 2 .
qty integer . .
n integer . .
. . . E
end
cell 1 2
type " int"
cell 1 1
expect grid
total " int" . .
qty integer . .
n integer . .
. . . E
end

# A long type is cut to 41 characters when its cell is left.
cell 2 2
type "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
cell 2 1
expect grid
total " int" . .
qty abcdefghijklmnopqrstuvwxyzabcdefghijklmno . .
n integer . .
. . . E
end
