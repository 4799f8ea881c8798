# Two editors of one program on one owner's local structure: each expects the
# version it opened itself, so a save over the other's newer version asks first.
library app.lib
object window w_main
store-local w_main s_line "type s_line from structure\r\n\tstring\t\ttext\r\nend type"
create embedded w_main
answer open s_line
pump
create embedded w_main
answer open s_line
pump

# The second saves and closes: asked nothing, written at once.
cell 1 1
type "lane"
cell 2 1
command save
expect nomessage
expect local w_main s_line "type s_line from structure\r\n\tstring\t\tlane\r\nend type"
close
expect closed
expect nomessage

# The first still holds the version before: No fails its save, says why and
# keeps the second's version.
cell 1 1
type "road"
cell 2 1
answer message no
answer message ok
command save
expect message-detail "You kept the version in app.lib; your rows are unchanged."
expect message "s_line was not saved to w_main."
expect field changed 1
expect errors
expect local w_main s_line "type s_line from structure\r\n\tstring\t\tlane\r\nend type"

# Its close asks to save; the save asks again, and Yes replaces that version.
answer message yes
answer message yes
close
expect message "s_line was changed in app.lib after you opened it.\nReplace that version with yours?"
expect closed
expect local w_main s_line "type s_line from structure\r\n\tstring\t\troad\r\nend type"

# An editor opened after that starts from the version written last: asked nothing.
create embedded w_main
answer open s_line
pump
expect grid
road string . .
. . . E
end
cell 1 1
type "way"
cell 2 1
command save
expect nomessage
expect local w_main s_line "type s_line from structure\r\n\tstring\t\tway\r\nend type"
