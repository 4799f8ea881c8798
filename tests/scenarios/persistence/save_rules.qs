# The rules checked before any save: more than one row, no duplicate names.
library app.lib
create standalone
answer open new
pump

# A new grid holds only its entry row.
answer message ok
command saveas
expect message 4019
expect field untitled 1

cell 1 1
type "a"
cell 2 1
type "b"
cell 3 1
type "a"
cell 4 1
answer message ok
command save
expect message 4016
expect current 3 1
expect field changed 1
expect noentry a

# Names that differ only in letter case are no duplicates for the editor.
cell 3 1
type "c"
cell 4 1
answer save s_abc library=app.lib
command save
expect nomessage
expect source s_abc "global type s_abc from structure\r\n\tstring\t\ta\r\n\tstring\t\tb\r\n\tstring\t\tc\r\nend type"
