# Print hands the host the structure's stored source entry in its library.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\n\tstring\t\tcity\r\nend type"
create standalone open=s_address
command print
expect printed app.lib s_address.srs 1
expect printed-text "global type s_address from structure\r\n\tstring\t\tstreet\r\n\tstring\t\tcity\r\nend type"
expect cursor arrow
expect nomessage
expect field libraryName app.lib
expect field structureName s_address

# The print reads what is stored, after the save that Print offers first.
cell 3 1
type "zip"
answer message ok
command print
expect printed app.lib s_address.srs 1
expect printed-text "global type s_address from structure\r\n\tstring\t\tstreet\r\n\tstring\t\tcity\r\n\tstring\t\tzip\r\nend type"
expect field changed 0

# Cancel in the Print question prints nothing.
cell 1 1
type "road"
answer message cancel
command print
expect noprint
expect field changed 1
