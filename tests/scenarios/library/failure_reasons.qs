# Every library failure says why under the message the user sees. The folder
# holds damaged.lib (its entries table overwritten) and foreign.lib (another
# program's SQLite file); newer.lib is a library as a program of format 3
# leaves it.
library newer.lib
store s_0 "global type s_0 from structure\r\n\tstring\t\tx\r\nend type"
library-format newer.lib 3
library app.lib
busy-timeout 50
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
store s_order "global type s_order from structure\r\n\ts_address\t\tto\r\nend type"
object window w_main

# Loading from a library that cannot be read: the module's message, the reason below it.
create standalone
answer open s_x library=damaged.lib
answer message ok
pump
expect message-detail "damaged.lib is damaged and cannot be read."
expect message 4020 "s_x"
expect closed

create standalone
answer open s_x library=foreign.lib
answer message ok
pump
expect message-detail "foreign.lib is not a library file."
expect message 4020 "s_x"

create standalone
answer open s_0 library=newer.lib
answer message ok
pump
expect message-detail "newer.lib has library format 3, which this program cannot read."
expect message 4020 "s_0"

create standalone
answer open s_missing
answer message ok
pump
expect message-detail "The library app.lib has no structure s_missing."
expect message 4020 "s_missing"

# Locked by another program beyond the wait: in use, never damaged, for the
# list, the read and the write alike; the list is not shown as empty.
lock app.lib
create standalone
answer message ok
answer open cancel
pump
expect message-detail "The library app.lib is in use by another program."
expect message "The structures of app.lib cannot be listed."

answer message ok
create standalone open=s_address
pump
expect message-detail "The library app.lib is in use by another program."
expect message 4020 "s_address"

create embedded w_main
answer message ok
answer open cancel
pump
expect message-detail "The library app.lib is in use by another program."
expect message "The structures of w_main cannot be listed."
unlock app.lib

# A structure that uses another of the library: its compile cannot know that
# one while the library is locked, and says so.
create standalone open=s_order
cell 1 1
type "home"
cell 2 1
lock app.lib
command save
expect errors "2: home: Unknown type \"s_address\"." "0: The library app.lib is in use by another program."
expect field changed 1
answer message no
close
expect message 4003
unlock app.lib

create standalone open=s_address
cell 1 1
type "lane"
cell 2 1
lock app.lib
answer message ok
command save
expect message-detail "The library app.lib is in use by another program; nothing was written."
expect message 4012
expect field changed 1
unlock app.lib
command save
expect nomessage
expect source s_address "global type s_address from structure\r\n\tstring\t\tlane\r\nend type"

# Writing into files that are not ours, or not readable: never written.
answer save s_address library=damaged.lib
answer message ok
command saveas
expect message-detail "damaged.lib is damaged; nothing was written."
expect message 4012

answer save s_address library=foreign.lib
answer message ok
command saveas
expect message-detail "foreign.lib is not a library file."
expect message 4012

answer save s_address library=newer.lib
answer message ok
command saveas
expect message-detail "newer.lib has library format 3, which this program cannot read."
expect message 4012
expect field libraryName app.lib

# The next box is not told a reason that belonged to the one before.
cell 1 1
type "road"
cell 2 1
answer message cancel
close
expect message-detail ""
expect message 4003
expect open
