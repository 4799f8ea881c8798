# A text cut, paste or clear undone through the cell edit control leaves
# Undo offering the redo; only a redo undone again leaves nothing to undo.
library app.lib
store s_two "global type s_two from structure\r\n\tinteger\t\tabc\r\n\tinteger\t\tb\r\nend type"
create standalone open=s_two
clipboard none

cell 1 1
textsel 0 1
command cut
expect field lastAction 7
expect clipboard "a"
expect edit "bc" 0 0
menu edit
expect menu 1258 "&Undo Cut\tCtrl+Z" enabled
command undo
expect field lastAction 2
expect field undoneAction 7
menu edit
expect menu 1258 "&Redo\tCtrl+Z" enabled
cell 2 1
expect grid
abc integer . .
b integer . .
. . . E
end

# Text without a line feed is pasted into the cell.
cell 2 1
textsel 1 1
command paste
expect field lastAction 9
expect edit "ba" 2 2
menu edit
expect menu 1258 "&Undo Paste\tCtrl+Z" enabled
command undo
expect field lastAction 2
expect field undoneAction 9
menu edit
expect menu 1258 "&Redo\tCtrl+Z" enabled
cell 1 1
expect grid
abc integer . .
b integer . .
. . . E
end

textsel 0 3
command clear
expect field lastAction 10
expect field changed 1
expect edit "" 0 0
menu edit
expect menu 1258 "&Undo Clear\tCtrl+Z" enabled
command undo
expect field lastAction 2
expect field undoneAction 10
menu edit
expect menu 1258 "&Redo\tCtrl+Z" enabled

# Redo, then undo once more: nothing left to undo.
command undo
expect field lastAction 3
menu edit
expect menu 1258 "&Undo\tCtrl+Z" enabled
command undo
expect field lastAction 2
expect field undoneAction 3
menu edit
expect menu 1258 "Can't Undo\tCtrl+Z" grayed
cell 2 1
expect grid
abc integer . .
b integer . .
. . . E
end
