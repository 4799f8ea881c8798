# Must fail: the grid holds twelve empty rows, not one.
create standalone
expect grid
. . . .
end
