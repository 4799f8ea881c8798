# Only the Edit pop-up (index 1) recomputes the Edit items; the File pop-up
# leaves them and the remembered Edit menu alone. A mouse release anywhere
# over the grid has the Edit items brought up to date without the pop-up.
library app.lib
store s_two "global type s_two from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\nend type"
create standalone open=s_two
menu edit
expect field editMenu editmenu
expect menu 1258 "Can't Undo\tCtrl+Z" grayed

cell 1 1
type "x"
expect field lastAction 6
menu file
expect field editMenu editmenu
expect menu 1258 "Can't Undo\tCtrl+Z" grayed

# A click on a data cell is a press and a release: the release posts the
# refresh, so the label follows the typing without the pop-up being opened.
click var_name 2
expect menu 1258 "&Undo Type\tCtrl+Z" enabled
expect field lastAction 6
