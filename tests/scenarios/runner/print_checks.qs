# expect printed checks the most recent print request whatever other print
# checks came between; it needs a new request since the previous expect printed.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
create standalone open=s_address
command print
expect printed-text "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
expect printed app.lib s_address.srs 1
expect noprint
