# Commands the editor does not handle change nothing; Close posts the close to the frame.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
create standalone open=s_address
cell 1 1
type "road"
command 101
command 103
command 1016
command 1259
expect field changed 1
expect open
expect nomessage

# The close question comes when the frame handles the posted close.
answer message cancel
command close
expect message 4003 "\napp.lib(s_address)"
expect open
