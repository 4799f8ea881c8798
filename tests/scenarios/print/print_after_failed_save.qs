# Print offers to save a changed structure first. When that save fails or is
# cancelled nothing is printed: the stored entry is older than the rows on
# screen, which the user was just told could not be saved.
library app.lib
store s_one "global type s_one from structure\r\n\tlong\t\tx\r\nend type"
create standalone open=s_one

# A save rule refuses the rows.
cell 2 1
type "x"
cell 3 1
answer message ok
answer message ok
command print
expect message 4016
expect noprint
expect field changed 1

# The compiler refuses them.
cell 2 1
type "y"
cell 2 2
type "s_missing"
cell 3 1
answer message ok
command print
expect errors "3: y: Unknown type \"s_missing\"."
expect noprint
expect field changed 1
expect source s_one "global type s_one from structure\r\n\tlong\t\tx\r\nend type"

# A new structure whose save dialog is cancelled.
answer message no
command new
cell 1 1
type "id"
cell 2 1
answer message ok
answer save cancel
command print
expect noprint
expect field changed 1
expect field untitled 1

# Saved, it prints.
answer message ok
answer save s_id library=app.lib
command print
expect printed app.lib s_id.srs 1
expect field changed 0
