# Reading a row as a variable: the type is lowercased and abbreviations are
# written out, decimal positions count only for "decimal" and are cut toward
# zero, and a row without a type holds no variable. A row copy reads every
# selected row, so its text shows what each read gave.
library app.lib
create standalone
answer open new
pump

# qty with the type INT: "integer", no decimal positions.
cell 1 1
type "qty"
cell 1 2
type "INT"
cell 1 1
expect grid
qty integer . .
. . . E
end

# amt with Dec and 2.0: "decimal" with 2.
cell 2 1
type "amt"
cell 2 3
type "2.0"
cell 2 2
type "Dec"
cell 2 1

# price typed as decimal with no decimal positions reads as 0.
cell 3 2
type "decimal"
cell 3 1
type "price"

# ratio of type double with 5 in the decimals cell: no decimal positions,
# and the 5 stays in the cell.
cell 4 2
type "double"
cell 4 1
type "ratio"
cell 4 3
type "5"

# cut with 2.9 and disc with -0.5: cut toward zero, 2 and 0.
cell 5 2
type "decimal"
cell 5 1
type "cut"
cell 5 3
type "2.9"
cell 6 2
type "decimal"
cell 6 1
type "disc"
cell 6 3
type "-0.5"

# orphan has a name but its type is cleared away: no variable.
cell 7 1
type "orphan"
cell 7 2
textsel 0 7
command clear
cell 8 1
expect grid
qty integer . .
amt decimal 2 .
price decimal . .
ratio double 5 .
cut decimal 2.9 .
disc decimal -0.5 .
orphan . . .
. . . E
end

click var_row 1
click var_row 8 shift
command copy
expect clipboard "\tinteger\t\tqty\r\n\tdecimal {2}\tamt\r\n\tdecimal {0}\tprice\r\n\tdouble\t\tratio\r\n\tdecimal {2}\tcut\r\n\tdecimal {0}\tdisc\r\n"
expect field cutRowList "1 2 3 4 5 6 7 8"
expect grid
qty integer . .
amt decimal 2 .
price decimal . .
ratio double 5 .
cut decimal 2.9 .
disc decimal -0.5 .
orphan . . .
. . . E
end

# Pasted rows keep their types as written until they are read: then only
# whole abbreviations are written out, and every type is lowercased.
clipboard "\tInt\t\tn1\n\tLong\t\tn2\n\tCHAR\t\tn3\n\tinteg\t\tn4\n\tdecimals\t\tn5\n\tchars\t\tn6\n"
command paste
expect field entryRow 14
click var_row 8
click var_row 13 shift
command copy
expect clipboard "\tinteger\t\tn1\r\n\tlong\t\tn2\r\n\tcharacter\t\tn3\r\n\tinteg\t\tn4\r\n\tdecimals\t\tn5\r\n\tchars\t\tn6\r\n"
expect rows 14
expect field entryRow 14
expect grid
qty integer . .
amt decimal 2 .
price decimal . .
ratio double 5 .
cut decimal 2.9 .
disc decimal -0.5 .
orphan . . .
n1 integer . .
n2 long . .
n3 character . .
n4 integ . .
n5 decimals . .
n6 chars . .
. . . E
end
