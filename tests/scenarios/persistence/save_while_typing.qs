# Text still being typed into a cell is part of what every save stores: Save by
# its key, Save As and Return all take it.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
object window w_main
store-local w_main s_line "type s_line from structure\r\n\tstring\t\ttext\r\nend type"
create standalone open=s_address
cell 1 1
type "road"
key ctrl+s
expect field changed 0
expect source s_address "global type s_address from structure\r\n\tstring\t\troad\r\nend type"
expect current 2 1

cell 1 2
type "long"
answer save s_copy
command saveas
expect source s_copy "global type s_copy from structure\r\n\tlong\t\troad\r\nend type"
expect title "Structure - s_copy"
close
expect closed

create embedded w_main
answer open s_line
pump
cell 1 1
type "note"
command return
expect closed
expect local w_main s_line "type s_line from structure\r\n\tstring\t\tnote\r\nend type"
