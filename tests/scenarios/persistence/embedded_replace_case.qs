# The replace question is asked for the exact name only: a name that differs in
# letter case alone saves without it.
library app.lib
object window w_main
store-local w_main s_line "type s_line from structure\r\n\tstring\t\ttext\r\nend type"
create embedded w_main
answer open new
pump
cell 1 1
type "qty"
cell 2 1
answer save S_Line
command save
expect nomessage
expect field changed 0
expect field structureName S_Line
expect title "Structure - S_Line for w_main"

# The language ignores letter case, so the save took the place of s_line; the
# owner's library keeps it under the spelling it was saved with.
close
expect closed
expect local w_main S_Line "type S_Line from structure\r\n\tstring\t\tqty\r\nend type"
