# A new editor's twelve rows carry no marker yet. A row cut there finds no
# marked row afterwards, so a new entry row is appended at the end and marked.
library app.lib
create standalone
answer message cancel
command clear
expect rows 12
click var_row 2
command cut
expect field lastAction 11
expect field cutRowList "2"
expect clipboard ""
expect rows 12
expect field entryRow 12
expect current 12 1
expect grid
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
. . . E
end
