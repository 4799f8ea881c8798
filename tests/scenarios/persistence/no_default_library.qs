# With no default library configured the new structure's dialog offers none;
# saving into no library fails and leaves the structure as it was.
library app.lib
create standalone
answer open new
pump
cell 1 1
type "id"
cell 2 1
answer save s_new
command save
expect nomessage
expect field changed 1
expect field untitled 1
expect field libraryName none
expect field structureName none
expect title "Structure - (Untitled)"
expect cursor arrow
expect status 150
expect noentry s_new

answer save s_new library=app.lib
command save
expect field changed 0
expect source s_new "global type s_new from structure\r\n\tstring\t\tid\r\nend type"
