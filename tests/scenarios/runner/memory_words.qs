# note blocks and expect blocks count live pool and global memory blocks from
# a noted point; pool full makes the current editor's pool refuse until free.
library app.lib
create standalone
answer open new
pump
note blocks
expect blocks 0 0
clipboard "text"
expect blocks 0 1
clipboard none
expect blocks 0 0

# A full pool has no room for the pasted text: no row.
pool full
clipboard "\tinteger\t\ta\r\n"
cell 1 1
command paste
expect field pastedCount 0
expect rows 1
pool free
cell 1 1
command paste
expect field pastedCount 1
expect rows 2
expect blocks 1 1
