# The runtime takes S_Line and s_line for one type, so a save under a name that
# differs from an owner's structure only in letter case asks before replacing
# it, naming the structure as chosen; No leaves everything as it was.
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
answer message no
command save
expect message "Replace existing S_Line?"
expect field changed 1
expect field untitled 1
expect title "Structure - (Untitled) for w_main"

# Yes replaces it, under the spelling it was saved with.
answer save S_LINE
answer message yes
command save
expect message 4011 "S_LINE"
expect field changed 0
expect field structureName S_LINE
expect title "Structure - S_LINE for w_main"
close
expect closed
expect local w_main S_LINE "type S_LINE from structure\r\n\tstring\t\tqty\r\nend type"
