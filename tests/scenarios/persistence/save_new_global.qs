# A new structure typed into the grid is saved under the name the dialog gives:
# global header, a plain and a decimal line, no line end after "end type".
library app.lib
create standalone
answer open new
pump
expect field untitled 1
cell 1 1
type "x"
cell 1 2
type "INT"
cell 2 1
type "amount"
cell 2 2
type "decimal"
cell 2 3
type "2"
cell 3 1
answer save s_point library=app.lib comment="two fields"
command save
expect source s_point "global type s_point from structure\r\n\tinteger\t\tx\r\n\tdecimal {2}\tamount\r\nend type"
expect grid
x integer . .
amount decimal 2 .
. . . E
end
expect title "Structure - s_point"
expect field untitled 0
expect field changed 0
expect field structureName s_point
expect field libraryName app.lib
expect cursor arrow
expect status 150
expect current 3 1
