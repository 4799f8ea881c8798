# Names that differ only in letter case are no duplicates for the editor: the
# save goes on to the compiler instead of stopping at the duplicate rule, and
# the current cell stays where it was.
library app.lib
create standalone
answer open new
pump
cell 1 1
type "a"
cell 2 1
type "b"
cell 3 1
type "A"
cell 4 1
answer save s_case library=app.lib
command save
expect nomessage
expect current 4 1

# Exact duplicates, rows 1 and 3 with row 2 different: the lower row is shown.
cell 3 1
type "a"
cell 4 1
answer message ok
command save
expect message 4016
expect current 3 1
expect field changed 1
