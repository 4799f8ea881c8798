# Save As of a structure opened from a library offers that library, not the
# configured default one; only a new structure is offered the default.
profile application DefLib "def.lib"
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
create standalone open=s_address
answer save s_copy comment="copy"
command saveas
expect nomessage
expect field libraryName app.lib
expect field structureName s_copy
expect title "Structure - s_copy"
expect source s_copy "global type s_copy from structure\r\n\tstring\t\tstreet\r\nend type"
expect comment s_copy "copy"
expect source s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"

# New, then a save: the default library is offered.
command new
cell 1 1
type "id"
cell 2 1
answer save s_id
command save
expect field libraryName def.lib
library def.lib
expect source s_id "global type s_id from structure\r\n\tstring\t\tid\r\nend type"
library app.lib
expect noentry s_id
