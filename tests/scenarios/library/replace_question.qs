# Saving onto a name the chosen library already holds asks first, letter case
# ignored, naming the stored entry and the library as the user wrote it.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"

# A new structure saved as S_ADDRESS: No keeps the stored entry and the editor untitled.
create standalone
answer open new
pump
cell 1 1
type "zip"
cell 2 1
answer save S_ADDRESS library=app.lib
answer message no
command save
expect message "s_address already exists in app.lib.\nDo you want to replace it?"
expect field untitled 1
expect field changed 1
expect cursor arrow
expect source s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"

# Yes replaces it under the spelling just chosen.
answer save S_ADDRESS library=app.lib
answer message yes
command save
expect message "s_address already exists in app.lib.\nDo you want to replace it?"
expect field untitled 0
expect title "Structure - S_ADDRESS"
expect source S_ADDRESS "global type S_ADDRESS from structure\r\n\tstring\t\tzip\r\nend type"

# A plain Save under the name it was saved with asks nothing.
cell 1 1
type "code"
cell 2 1
command save
expect nomessage
expect source S_ADDRESS "global type S_ADDRESS from structure\r\n\tstring\t\tcode\r\nend type"

# Save As onto another entry (written by another spelling of the library) asks
# with that spelling; No leaves both entries as they were.
store s_work "global type s_work from structure\r\n\tstring\t\toffice\r\nend type"
answer save s_Work library=./app.lib
answer message no
command saveas
expect message "s_work already exists in ./app.lib.\nDo you want to replace it?"
expect field structureName S_ADDRESS
expect source s_work "global type s_work from structure\r\n\tstring\t\toffice\r\nend type"

# Save As to a name nobody uses asks nothing.
answer save s_home
command saveas
expect nomessage
expect entry s_home

# A plain Save of a structure opened from the library asks nothing either.
create standalone open=s_work
cell 1 1
type "desk"
cell 2 1
command save
expect nomessage
expect source s_work "global type s_work from structure\r\n\tstring\t\tdesk\r\nend type"
