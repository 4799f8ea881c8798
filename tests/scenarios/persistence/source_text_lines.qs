# The source text holds one line per row with both a name and a type, in grid
# order: rows emptied of both are left out wherever they stand, an empty row
# leaves no trace, a decimal type in any letter case gets braces (0 when its
# positions are empty) and one TAB before the name, other types two.
library app.lib
object window w_main
create standalone
answer open new
pump
cell 1 1
type "x"
cell 1 2
type "integer"
cell 2 1
type "notype"
cell 3 1
type "amount"
cell 3 2
type "DECIMAL"
cell 4 1
type "noname"
cell 5 1
type "last"
cell 5 2
type "long"
cell 6 1
expect field entryRow 6

# Empty the name and type cells of rows 2 and 4.
cell 2 2
textsel 0 7
command clear
cell 2 1
textsel 0 6
command clear
cell 4 1
textsel 0 6
command clear
cell 4 2
textsel 0 7
command clear
cell 6 1
expect field changed 1

# The entry row moves between two variables.
cell 5 1
command insertrow
expect field entryRow 5
expect rows 6

answer save s_rows library=app.lib
command save
expect nomessage
expect errors
expect field changed 0
expect field untitled 0
expect title "Structure - s_rows"
expect source s_rows "global type s_rows from structure\r\n\tinteger\t\tx\r\n\tdecimal {0}\tamount\r\n\tlong\t\tlast\r\nend type"
expect current 5 1
expect cursor arrow
expect status 150

# The same rows in a local structure: the header has nothing before "type".
create embedded w_main
answer open new
pump
cell 1 1
type "x"
cell 1 2
type "Decimal"
cell 1 3
type "2"
cell 2 1
type "y"
cell 2 2
type "int"
cell 3 1
answer save s_loc
command save
expect nomessage
expect field changed 0
close
expect closed
expect local w_main s_loc "type s_loc from structure\r\n\tdecimal {2}\tx\r\n\tinteger\t\ty\r\nend type"
