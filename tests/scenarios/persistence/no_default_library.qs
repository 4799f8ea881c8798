# With no default library configured the new structure's save dialog offers
# none. Keeping it, the save compiles but cannot be written: the editor says
# "Save of structure failed." and why, nothing reaches a library, and the structure
# stays new and changed with cursor and status put back.
library app.lib
create standalone
answer open new
pump
cell 1 1
type "id"
cell 2 1
answer save s_new
answer message ok
command save
expect message-detail "No library was chosen."
expect message 4012
expect errors
expect field changed 1
expect field untitled 1
expect field libraryName none
expect field structureName none
expect title "Structure - (Untitled)"
expect cursor arrow
expect status 150
expect noentry s_new

# Save As of the still untitled structure asks again, without a library again.
answer save s_new
answer message ok
command saveas
expect message-detail "No library was chosen."
expect message 4012
expect field untitled 1
expect noentry s_new

# Choosing a library in the dialog then saves it there.
answer save s_new library=app.lib
command save
expect nomessage
expect errors
expect field changed 0
expect field untitled 0
expect field libraryName app.lib
expect field structureName s_new
expect title "Structure - s_new"
expect source s_new "global type s_new from structure\r\n\tstring\t\tid\r\nend type"
