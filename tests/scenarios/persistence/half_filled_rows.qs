# A save never drops a row silently. A row with a name but no type, or a type
# but no name, stops the save with a message naming what the row does hold,
# and its empty cell becomes current; nothing is compiled or written and the
# structure stays changed. Rows with neither are left out, and rows without a
# single variable among them are no structure, however many there are.
library app.lib
create standalone
answer open new
pump
cell 1 1
type "x"
cell 2 1
type "qty"
cell 3 1
type "amount"
cell 4 1
expect field entryRow 4

# Row 2 loses its type, row 3 its name.
cell 2 2
textsel 0 6
command clear
cell 3 1
textsel 0 6
command clear
cell 4 1
expect grid
x string . .
qty . . .
. string . .
. . . E
end

# The first such row is reported: its type cell is the one to fill.
answer message ok
command save
expect message "Variable qty has no type."
expect current 2 2
expect field changed 1
expect field untitled 1
expect title "Structure - (Untitled)"
expect noentry qty

# Save As and the close question stop at the same rule; the close is called off.
answer message ok
command saveas
expect message 4031 "qty"
answer message yes
answer message ok
close
expect message 4031 "qty"
expect open
expect field changed 1

# With row 2 mended, row 3 is next: the type it has is named, its name cell shown.
cell 2 2
type "integer"
cell 4 1
answer message ok
command save
expect message "The variable of type string has no name."
expect current 3 1
expect field changed 1

# Emptied altogether, row 3 is left out and the structure is saved without it.
cell 3 2
textsel 0 6
command clear
cell 4 1
answer save s_half library=app.lib
command save
expect nomessage
expect field changed 0
expect source s_half "global type s_half from structure\r\n\tstring\t\tx\r\n\tinteger\t\tqty\r\nend type"

# A type typed into the entry row makes no variable there: the rule leaves the
# entry row alone.
cell 4 2
type "long"
cell 1 1
expect field entryRow 4
expect field changed 1
expect grid
x string . .
qty integer . .
. . . .
. long . E
end
command save
expect nomessage
expect field changed 0
expect source s_half "global type s_half from structure\r\n\tstring\t\tx\r\n\tinteger\t\tqty\r\nend type"

# Rows without any variable are refused as a grid of one row is, whatever
# their number: here the twelve empty rows a new editor starts with, saved
# before its open dialog comes up.
create standalone
expect rows 12
answer message ok
answer open cancel
command saveas
expect message 4019
expect closed
