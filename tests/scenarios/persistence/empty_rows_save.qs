# Rows without a single variable are no structure: a new editor's twelve empty
# rows are refused as a grid of one row is. A close question answered Yes
# whose save breaks a rule keeps the editor open.
library app.lib
create standalone
expect rows 12
answer message ok
answer open new
command saveas
expect message 4019
expect field untitled 1
expect grid
. . . E
end

# One row left after a delete: the save refuses it and the close is called off.
cell 1 1
type "a"
click var_row 1
command deleterow
expect rows 1
expect field changed 1
answer message yes
answer message ok
close
expect message 4019
expect open
expect field changed 1
answer message no
close
expect closed
