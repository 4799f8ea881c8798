# The close question names an untitled, a global and a local structure.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
object window w_main
store-local w_main s_line "type s_line from structure\r\n\tstring\t\ttext\r\nend type"

create standalone
answer open new
pump
cell 1 1
type "a"
answer message cancel
close
expect message 4003 "(Untitled)"
expect open
# Yes on an untitled structure opens the save dialog; cancelling it keeps the editor.
answer message yes
answer save cancel
close
expect open
expect field changed 1
answer message no
close
expect closed

create standalone open=s_address
cell 1 1
type "road"
answer message cancel
close
expect message 4003 "\napp.lib(s_address)"
expect open
answer message yes
close
expect closed
expect source s_address "global type s_address from structure\r\n\tstring\t\troad\r\nend type"

create embedded w_main
answer open s_line
pump
cell 1 1
type "note"
answer message cancel
endsession
expect message 4003 "s_line"
expect open
answer message no
close
expect closed
