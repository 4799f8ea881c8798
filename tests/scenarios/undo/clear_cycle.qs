# A cleared row comes back by Undo; Undo again clears it once more. While a
# row clear is the last edit the Paste item is grayed.
library app.lib
store s_three "global type s_three from structure\r\n\tinteger\t\ta\r\n\tdecimal {3}\tb\r\n\tinteger\t\tc\r\nend type"
create standalone open=s_three
click var_row 2
command clear
expect field lastAction 17
expect field entryRow 3
menu edit
expect menu 1258 "&Undo Clear\tCtrl+Z" enabled
expect menu 1264 "&Paste\tCtrl+V" grayed
key ctrl+v
expect rows 3

command undo
expect field lastAction 18
expect grid
a integer . .
b decimal 3 S
c integer . .
. . . E
end
expect field entryRow 4
menu edit
expect menu 1258 "Can't Undo\tCtrl+Z" grayed

command undo
expect field lastAction 17
expect grid
a integer . .
c integer . .
. . . E
end
menu edit
expect menu 1258 "&Undo Clear\tCtrl+Z" enabled
expect menu 1264 "&Paste\tCtrl+V" grayed

# Another program has replaced the clipboard with text that is no row text:
# the undo does not read it, the cleared row comes back from the editor.
clipboard "plain words"
command undo
expect field lastAction 18
expect grid
a integer . .
b decimal 3 S
c integer . .
. . . E
end
expect clipboard "plain words"

# Another edit makes Paste available again.
cell 1 1
type "z"
menu edit
expect menu 1264 "&Paste\tCtrl+V" enabled
