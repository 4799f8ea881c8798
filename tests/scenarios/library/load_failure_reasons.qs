# An owner's structure that cannot be loaded says why under the box, as a
# global entry's does.
library app.lib
object window w_main
store-local w_main s_loc "type s_loc from structure\r\n\tinteger\t\tqty\r\nend type"

answer open s_none
answer message ok
create embedded w_main
pump
expect message-detail "w_main has no local structure s_none."
expect message 4020 "s_none"
expect closed

answer open s_loc
create embedded w_main
pump
expect nomessage
expect grid
qty integer . .
. . . E
end
