# Edits of the text in a cell label the Undo item by their kind; undoing one
# offers to redo it, and a text copy leaves the label as it was.
library app.lib
store s_two "global type s_two from structure\r\n\tinteger\t\tamount\r\n\tinteger\t\tb\r\nend type"
create standalone open=s_two
cell 1 1
textsel 0 3
command cut
expect field lastAction 7
menu edit
expect menu 1258 "&Undo Cut\tCtrl+Z" enabled
expect menu 1264 "&Paste\tCtrl+V" enabled
command undo
expect field lastAction 2
expect field undoneAction 7
menu edit
expect menu 1258 "&Redo\tCtrl+Z" enabled

textsel 0 2
command copy
expect field lastAction 8
menu edit
expect menu 1258 "&Redo\tCtrl+Z" enabled

textsel 6 6
command paste
expect field lastAction 9
menu edit
expect menu 1258 "&Undo Paste\tCtrl+Z" enabled
expect menu 1260 "Cu&t\tCtrl+X" grayed

textsel 0 1
command clear
expect field lastAction 10
menu edit
expect menu 1258 "&Undo Clear\tCtrl+Z" enabled
expect menu 1260 "Cu&t\tCtrl+X" grayed
expect menu 1262 "&Copy\tCrtl+C" grayed
expect menu 1266 "Cl&ear\tDel" grayed
expect edit "mountam" 0 0
