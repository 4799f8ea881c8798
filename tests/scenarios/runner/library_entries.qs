# Entries are global structures and owning objects; a print entry's name finds
# its structure's source; owners may be named by id; compile errors may be
# written as their message alone.
library app.lib
object window w_main id=77
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
store-local 77 s_local "type s_local from structure\r\n\tinteger\t\tn\r\nend type"
expect entry s_address
expect entry w_main
expect noentry w_other
expect noentry s_other
expect source s_address.srs "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
expect local w_main s_local "type s_local from structure\r\n\tinteger\t\tn\r\nend type"
expect local 77 s_local "type s_local from structure\r\n\tinteger\t\tn\r\nend type"

create standalone open=s_address
cell 1 1
type "9bad"
cell 1 2
command save
expect errors "Invalid variable name."
command save
expect errors "2: 9bad: Invalid variable name."
command save
expect errors "9bad: Invalid variable name."
cell 1 1
type "good"
cell 1 2
command save
expect errors
expect field changed 0
