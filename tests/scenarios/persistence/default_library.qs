# A new structure's save dialog offers the configured default library; Save As
# of an untitled structure is such a new save.
profile application DefLib "def.lib"
library app.lib
create standalone
answer open new
pump
cell 1 1
type "id"
cell 2 1
answer save s_new
command saveas
expect field libraryName def.lib
expect title "Structure - s_new"
library def.lib
expect source s_new "global type s_new from structure\r\n\tstring\t\tid\r\nend type"
