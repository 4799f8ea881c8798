# With no row selected, Cut, Copy, Paste and Clear work on the text of the
# cell being edited, and Undo reverses them through the cell edit control.
library app.lib
store s_two "global type s_two from structure\r\n\tinteger\t\talpha\r\n\tinteger\t\tbeta\r\nend type"
create standalone open=s_two
clipboard none

# Copy: the selected characters go to the clipboard; nothing else changes,
# and the Undo item keeps what it showed.
cell 1 1
textsel 0 2
command copy
expect clipboard "al"
expect field lastAction 8
expect field changed 0
expect edit "alpha" 0 2
menu edit
expect menu 1258 "Can't Undo\tCtrl+Z" grayed
command undo
expect field lastAction 8
expect edit "alpha" 0 2

# Cut: the characters leave the cell for the clipboard and the structure is changed.
textsel 2 5
command cut
expect clipboard "pha"
expect edit "al" 2 2
expect field lastAction 7
expect field changed 1
menu edit
expect menu 1258 "&Undo Cut\tCtrl+Z" enabled

# Undo, Redo, Undo of the cut.
command undo
expect field lastAction 2
expect field undoneAction 7
expect edit "alpha" 2 5
menu edit
expect menu 1258 "&Redo\tCtrl+Z" enabled
command undo
expect field lastAction 3
expect edit "al" 2 2
menu edit
expect menu 1258 "&Undo\tCtrl+Z" enabled

# Paste with the clipboard's text holding no line feed: into the cell.
command paste
expect field lastAction 9
expect edit "alpha" 5 5
expect rows 3
menu edit
expect menu 1258 "&Undo Paste\tCtrl+Z" enabled
# The paste went where the cut was, so the edit control's undo step holds
# both: undoing it puts the cut text back in place of the pasted one, here
# the same text, and selects it.
command undo
expect field lastAction 2
expect field undoneAction 9
expect edit "alpha" 2 5
menu edit
expect menu 1258 "&Redo\tCtrl+Z" enabled
command undo
expect edit "alpha" 2 5

# The cell keeps the edited text once the focus leaves it.
cell 2 1
expect grid
alpha integer . .
beta integer . .
. . . E
end

# Clear: the selected characters are dropped, the clipboard keeps its text.
textsel 0 1
command clear
expect edit "eta" 0 0
expect clipboard "pha"
expect field lastAction 10
menu edit
expect menu 1258 "&Undo Clear\tCtrl+Z" enabled
expect menu 1264 "&Paste\tCtrl+V" enabled
command undo
expect edit "beta" 0 1
expect field undoneAction 10
menu edit
expect menu 1258 "&Redo\tCtrl+Z" enabled

# Clear marks the structure changed even when nothing was selected.
command save
expect field changed 0
cell 2 1
textsel 2 2
command clear
expect field lastAction 10
expect field changed 1
expect edit "beta" 2 2

# After a text cut or copy the next Paste works on text, even when the
# clipboard now holds a line of row text: no row is inserted.
textsel 0 1
command cut
clipboard "\tinteger\t\tcount\r\n"
command paste
expect field lastAction 9
expect rows 3
textsel 0 0
command copy
expect field lastAction 8
clipboard "\tinteger\t\tcount\r\n"
command paste
expect field lastAction 9
expect rows 3
