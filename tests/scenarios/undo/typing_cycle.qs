# Undo of typing goes through the cell edit control: undo, redo, undo again,
# after which nothing can be undone.
library app.lib
store s_two "global type s_two from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\nend type"
create standalone open=s_two
menu edit
expect menu 1258 "Can't Undo\tCtrl+Z" grayed

cell 1 1
type "x"
expect field lastAction 6
menu edit
expect menu 1258 "&Undo Type\tCtrl+Z" enabled

command undo
expect field lastAction 2
expect field undoneAction 6
expect edit "a" 0 1
menu edit
expect menu 1258 "&Redo\tCtrl+Z" enabled

command undo
expect field lastAction 3
expect edit "x" 0 1
menu edit
expect menu 1258 "&Undo\tCtrl+Z" enabled

command undo
expect field lastAction 2
expect field undoneAction 3
menu edit
expect menu 1258 "Can't Undo\tCtrl+Z" grayed

# Three undos leave the cell as it was before the typing.
cell 2 1
expect grid
a integer . .
b integer . .
. . . E
end
