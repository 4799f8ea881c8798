# Local structures while another program holds the library. What the host
# already holds opens without the file; what it never read cannot, and the box
# that says so tells why.
library app.lib
store s_pt "global type s_pt from structure\r\n\tinteger\t\tx\r\n\tinteger\t\ty\r\nend type"
object window w_main
store-local w_main s_loc "type s_loc from structure\r\n\ts_pt\t\tcorner\r\n\tinteger\t\tqty\r\nend type"
busy-timeout 200

# Never read: the list cannot be had, and the open that follows fails for that reason.
lock app.lib
answer message ok
answer open s_loc
answer message ok
create embedded w_main
pump
expect message-detail "The library app.lib is in use by another program."
expect message 4020 "s_loc"
expect closed
unlock app.lib

# Read and handed to two editors: a third still gets its rows, the global
# structure a member uses included, while the library is held.
answer open s_loc
create embedded w_main
pump
answer open s_loc
create embedded w_main
pump
expect grid
corner s_pt . .
qty integer . .
. . . E
end
lock app.lib
answer message ok
answer open s_loc
create embedded w_main
pump
expect message-detail "The library app.lib is in use by another program."
expect message "The structures of w_main cannot be listed."
expect nomessage
expect title "Structure - s_loc for w_main"
expect grid
corner s_pt . .
qty integer . .
. . . E
end
unlock app.lib
