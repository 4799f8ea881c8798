# Copy writes the selected rows as row text: one line per variable, the
# decimal form with its positions, nothing for an empty row.
library app.lib
store s_rows "global type s_rows from structure\r\n\tinteger\t\tcount\r\n\tdecimal {2}\tamount\r\nend type"
create standalone open=s_rows
expect grid
count integer . .
amount decimal 2 .
. . . E
end

# Move the entry row between the two variables, then copy all three rows.
cell 2 1
command insertrow
expect field entryRow 2
click var_row 1
click var_row 3 shift
command copy
expect clipboard "\tinteger\t\tcount\r\n\tdecimal {2}\tamount\r\n"
expect field cutRowList "1 2 3"
expect field lastAction 13
expect field entryRow 2
expect field changed 0
expect grid
count integer . .
. . . E
amount decimal 2 .
end
expect current 2 1

# One empty selected row gives the empty text.
click var_row 2
command copy
expect clipboard ""
expect field cutRowList "2"
expect field lastAction 13

# A type typed in short form is written to the clipboard, and back into its
# cell, in its full form.
cell 1 2
type "INT"
cell 3 1
click var_row 1
command copy
expect clipboard "\tinteger\t\tcount\r\n"
expect grid
count integer . .
. . . E
amount decimal 2 .
end

# A decimal row whose decimals cell is empty is written with {0}, its type in
# normal form; a row with a type and no name gives no line.
clipboard "\tDecimal {2} upper\r\n\tstring\r\n"
cell 1 1
command paste
expect field pastedCount 2
click var_row 1
click var_row 2 shift
command copy
expect clipboard "\tdecimal {0}\t{2}\r\n"
expect field cutRowList "1 2"
expect grid
{2} decimal . .
. string . .
count integer . .
. . . E
amount decimal 2 .
end
