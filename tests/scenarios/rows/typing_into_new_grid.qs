# The twelve empty rows of a new editor, kept by cancelling the save question
# that the queued Open asks once something has changed: typing a into row 1's
# name cell gives it the type "string" and opens the entry row below it.
library app.lib
create standalone
answer message cancel
command clear
expect field changed 1
expect message 4003 "(Untitled)"
expect rows 12
expect field entryRow 1

cell 1 1
type "a"
expect rows 13
expect field entryRow 2
expect field lastAction 6
expect field changed 1
expect current 1 1
cell 2 1
expect grid
a string . .
. . . E
. . . .
. . . .
. . . .
. . . .
. . . .
. . . .
. . . .
. . . .
. . . .
. . . .
. . . .
end
