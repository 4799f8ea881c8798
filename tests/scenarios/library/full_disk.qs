# A disk that takes no more (here: files may not grow past 4096 bytes, the
# size of one page): the library keeps what it held, a library a Save As began
# is removed again, and the user is told why.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
create standalone open=s_address
cell 1 1
type "lane"
cell 2 1
file-size-limit 4096

answer message ok
command save
expect message-detail "The disk holding app.lib is full; nothing was written."
expect message 4012
expect field changed 1
expect source s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"

# Save As into a new library: the half-made file and its journal do not stay.
answer save s_address library=new.lib
answer message ok
command saveas
expect message-detail "The disk holding new.lib is full; nothing was written."
expect message 4012
expect nofile new.lib
expect nofile new.lib-journal
expect field libraryName app.lib
