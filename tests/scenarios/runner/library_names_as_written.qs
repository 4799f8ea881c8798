# Library names reach the dialogs and the editor exactly as the scenario wrote
# them; a second spelling of the same file is still the same library.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"

# The open dialog offers the library as written and the editor keeps it.
create standalone
answer open s_address
pump
expect field libraryName app.lib
expect field structureName s_address

# Save As without library= keeps what the dialog offered: the editor's own name.
cell 1 1
type "road"
cell 2 1
answer save s_x
command saveas
expect nomessage
expect field libraryName app.lib
expect field structureName s_x
expect title "Structure - s_x"
expect source s_x "global type s_x from structure\r\n\tstring\t\troad\r\nend type"

# Another spelling names the same file: the entry lands in app.lib and the
# editor holds that spelling.
cell 1 1
type "lane"
cell 2 1
answer save s_x library=./app.lib
answer message yes
command saveas
expect message "s_x already exists in ./app.lib.\nDo you want to replace it?"
expect field libraryName ./app.lib
expect source s_x "global type s_x from structure\r\n\tstring\t\tlane\r\nend type"

# A new structure's save with the default library written relative.
profile application DefLib "app.lib"
create standalone
answer open new
pump
cell 1 1
type "id"
cell 2 1
answer save s_y
command save
expect field libraryName app.lib
expect source s_y "global type s_y from structure\r\n\tstring\t\tid\r\nend type"
