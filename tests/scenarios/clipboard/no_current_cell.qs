# A new grid has no current cell: Insert Row and Delete Row find no target
# and change nothing; Cut, Copy and Clear without selected rows have no
# text to work on but record their text edit.
library app.lib
create standalone
answer open new
pump
expect current 0 0
command insertrow
command deleterow
expect grid
. . . E
end
expect field lastAction 0
expect field changed 0
command copy
expect field lastAction 8
command cut
expect field lastAction 7
command clear
expect field lastAction 10
expect field changed 1
expect grid
. . . E
end
