# A row paste leaves Paste enabled while the clipboard holds text; only a
# row clear grays it whatever the clipboard holds.
library app.lib
store s_two "global type s_two from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\nend type"
create standalone open=s_two
click var_row 1
command copy
click var_row 2
command paste
expect field lastAction 15
menu edit
expect menu 1258 "&Undo Paste\tCtrl+Z" enabled
expect menu 1264 "&Paste\tCtrl+V" enabled

click var_row 1
command clear
expect field lastAction 17
menu edit
expect menu 1264 "&Paste\tCtrl+V" grayed
expect menu 1260 "Cu&t\tCtrl+X" grayed
