# An embedded save writes the owner's structures to the library at once: what
# says "saved" is on disk before the editor closes (a program killed then keeps
# it), a save that cannot be written fails and says why, and the close writes
# nothing more.
library app.lib
busy-timeout 50
object window w_main
create embedded w_main
answer open new
pump
cell 1 1
type "qty"
cell 1 2
type "int"
cell 2 1
answer save s_total
command save
expect nomessage
expect field changed 0
expect local w_main s_total "type s_total from structure\r\n\tinteger\t\tqty\r\nend type"

# A plain save is on disk at once too.
cell 1 1
type "count"
cell 2 1
command save
expect nomessage
expect local w_main s_total "type s_total from structure\r\n\tinteger\t\tcount\r\nend type"

# The library held by another program: the save fails with the reason, the
# rows stay unsaved, and no compile error is reported.
cell 1 1
type "total"
cell 2 1
lock app.lib
answer message ok
command save
expect message-detail "The library app.lib is in use by another program; nothing was written."
expect message "s_total was not saved to w_main."
expect field changed 1
expect errors
expect status 150
unlock app.lib
expect local w_main s_total "type s_total from structure\r\n\tinteger\t\tcount\r\nend type"
command save
expect nomessage
expect field changed 0
expect local w_main s_total "type s_total from structure\r\n\tinteger\t\ttotal\r\nend type"

# Closing writes nothing more: what another program wrote since stays.
store-local w_main s_total "type s_total from structure\r\n\tlong\t\tother\r\nend type"
close
expect closed
expect nomessage
expect local w_main s_total "type s_total from structure\r\n\tlong\t\tother\r\nend type"
