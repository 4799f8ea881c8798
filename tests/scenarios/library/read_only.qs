# A library the user may not write, or in a folder the user may not write:
# nothing is written and the user is told why. Root may write anything, so the
# runner works as an ordinary user here (skipped where it cannot).
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
unprivileged
readonly app.lib
create standalone open=s_address
cell 1 1
type "lane"
cell 2 1
answer message ok
command save
expect message-detail "The library app.lib is read-only; nothing was written."
expect message 4012
expect field changed 1
expect source s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"

# A writable library in a read-only folder cannot keep its journal there.
answer save s_address library=other.lib
command saveas
expect nomessage
readonly .
cell 1 1
type "road"
cell 2 1
answer message ok
command save
expect message-detail "The library other.lib is read-only; nothing was written."
expect message 4012

# Nor can a new library be made there.
answer save s_address library=new.lib
answer message ok
command saveas
expect message-detail "The library new.lib cannot be created; nothing was written."
expect message 4012
expect nofile new.lib
