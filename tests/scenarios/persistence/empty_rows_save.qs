# Several empty rows pass both save rules and store a structure without
# variables; a close question answered Yes whose save breaks a rule keeps the
# editor open.
library app.lib
create standalone
answer save s_empty library=app.lib
answer open s_empty
command saveas
expect nomessage
expect source s_empty "global type s_empty from structure\r\nend type"
expect grid
. . . E
end
expect title "Structure - s_empty"

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
expect source s_empty "global type s_empty from structure\r\nend type"
