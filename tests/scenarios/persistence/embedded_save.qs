# A local structure is compiled through the callback and stored in the owner's
# group; the owner's library gets it when the editor closes.
library app.lib
object window w_main
store-local w_main s_line "type s_line from structure\r\n\tstring\t\ttext\r\nend type"
create embedded w_main
answer open new
pump
expect title "Structure - (Untitled) for w_main"
expect field untitled 1
cell 1 1
type "qty"
cell 1 2
type "int"
cell 2 1
type "amount"
cell 2 2
type "dec"
cell 2 3
type "3"
cell 3 1

# The owner has s_line already: exact case asks, and No stops the save.
answer save s_line
answer message no
command save
expect message 4011 "s_line"
expect field changed 1
expect field untitled 1
expect cursor arrow
expect status 150

# A name the owner does not have yet: no question.
answer save s_total
command save
expect nomessage
expect field changed 0
expect field structureName s_total
expect title "Structure - s_total for w_main"

# A plain save reuses the type, with no dialog and no question.
cell 1 1
type "count"
cell 3 1
command save
expect nomessage
expect field changed 0

# Replacing on Yes.
answer save s_line
answer message yes
command saveas
expect message 4011 "s_line"
expect field structureName s_line
expect cursor arrow
close
expect closed
expect local w_main s_total "type s_total from structure\r\n\tinteger\t\tcount\r\n\tdecimal {3}\tamount\r\nend type"
expect local w_main s_line "type s_line from structure\r\n\tinteger\t\tcount\r\n\tdecimal {3}\tamount\r\nend type"
