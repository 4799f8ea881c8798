# Cancelled dialogs, failed compiles and failed writes: nothing stored changes,
# the structure stays changed, cursor and status are put back.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
create standalone open=s_address
cell 1 2
type "nosuchtype"
cell 2 1

# Cancelled Save As dialog: nothing happens.
answer save cancel
command saveas
expect field changed 1
expect field structureName s_address
expect title "Structure - s_address"
expect cursor arrow

# The compiler refuses the type: the library keeps the old text.
command save
expect errors "2: street: Unknown type \"nosuchtype\"."
expect field changed 1
expect cursor arrow
expect status 150
expect source s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
expect title "Structure - s_address"

# A failed Save As under another name does not move the editor to that entry:
# once the row is mended, a plain save still goes to s_address.
answer save s_other
command saveas
expect field changed 1
expect field structureName s_address
cell 1 2
type "long"
cell 2 1
command save
expect field changed 0
expect source s_address "global type s_address from structure\r\n\tlong\t\tstreet\r\nend type"
expect noentry s_other

# A library that cannot be written: "Save of structure failed.".
cell 1 1
type "lane"
cell 2 1
answer save s_address library=no_such_folder/x.lib
answer message ok
command saveas
expect message 4012
expect field changed 1
expect field libraryName app.lib
expect cursor arrow
expect status 150
expect title "Structure - s_address"
command save
expect source s_address "global type s_address from structure\r\n\tlong\t\tlane\r\nend type"
