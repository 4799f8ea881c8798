# Save As keeping the current name finds it among the owner's structures and
# asks before replacing; Yes on the close question of an untitled local
# structure opens the local save dialog.
library app.lib
object window w_main
store-local w_main s_line "type s_line from structure\r\n\tstring\t\ttext\r\nend type"
create embedded w_main
answer open s_line
pump

answer save s_line
answer message no
command saveas
expect message 4011 "s_line"
expect cursor arrow
expect status 150

cell 1 1
type "note"
cell 2 1
answer save s_line
answer message yes
command saveas
expect message 4011 "s_line"
expect field changed 0
expect field structureName s_line
expect title "Structure - s_line for w_main"

answer open new
command open
cell 1 1
type "qty"
answer message yes
answer save cancel
close
expect message 4003 "(Untitled)"
expect open
expect field changed 1
answer message yes
answer save s_qty
close
expect closed
expect local w_main s_line "type s_line from structure\r\n\tstring\t\tnote\r\nend type"
expect local w_main s_qty "type s_qty from structure\r\n\tstring\t\tqty\r\nend type"
