# Return saves a changed local structure and closes the editor, but only when
# the save went through.
library app.lib
object window w_main
store-local w_main s_line "type s_line from structure\r\n\tstring\t\ttext\r\nend type"
create embedded w_main
answer open s_line
notify

# Unchanged: closes at once.
command return
expect closed
expect notified 1

create embedded w_main
answer open new
pump
cell 1 1
type "qty"
cell 2 1
# The save dialog is cancelled: the editor stays, with its changes.
answer save cancel
command return
expect open
expect field changed 1

# A save refused by the compiler keeps it open too.
cell 1 2
type "nosuchtype"
cell 2 1
answer save s_bad
command return
expect open
expect field changed 1

cell 1 2
type "long"
cell 2 1
answer save s_qty
command return
expect closed
expect local w_main s_qty "type s_qty from structure\r\n\tlong\t\tqty\r\nend type"
