# A loaded structure is named in the title, with its owner when embedded.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
create standalone open=s_address
pump
expect title "Structure - s_address"

object window w_main
store-local w_main s_line "type s_line from structure\r\n\tinteger\t\tqty\r\nend type"
create embedded w_main
answer open s_line
pump
expect title "Structure - s_line for w_main"
