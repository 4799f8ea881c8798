# The Edit menu's items follow the last edit, the clipboard and what is
# selected each time the pop-up opens.
library app.lib
store s_four "global type s_four from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\n\tinteger\t\td\r\nend type"
create standalone open=s_four
clipboard none
menu edit
expect menu 1258 "Can't Undo\tCtrl+Z" grayed
expect menu 1264 "&Paste\tCtrl+V" grayed
expect menu 1260 "Cu&t\tCtrl+X" grayed
expect menu 1262 "&Copy\tCrtl+C" grayed
expect menu 1266 "Cl&ear\tDel" grayed

# Text on the clipboard enables Paste.
clipboard "x"
menu edit
expect menu 1264 "&Paste\tCtrl+V" enabled

# A caret with nothing selected and no selected row: nothing to cut.
cell 1 1
type "abcd"
textsel 4 4
menu edit
expect menu 1258 "&Undo Type\tCtrl+Z" enabled
expect menu 1260 "Cu&t\tCtrl+X" grayed
expect menu 1262 "&Copy\tCrtl+C" grayed
expect menu 1266 "Cl&ear\tDel" grayed

# One selected character is enough.
textsel 1 2
menu edit
expect menu 1260 "Cu&t\tCtrl+X" enabled
expect menu 1262 "&Copy\tCrtl+C" enabled
expect menu 1266 "Cl&ear\tDel" enabled

# So is one selected row; the press ends the typing's undo, the label stays.
click var_row 2
expect field lastAction 0
menu edit
expect menu 1258 "&Undo Type\tCtrl+Z" enabled
expect menu 1260 "Cu&t\tCtrl+X" enabled

# A drop relabels Undo at once: the release posts the menu refresh itself.
press var_row 2
move var_row 1
release var_row 1
expect field lastAction 19
expect menu 1258 "&Undo Drag and Drop\tCtrl+Z" enabled

# A row copy leaves the label as it was.
click var_row 3
command copy
expect field lastAction 13
menu edit
expect menu 1258 "&Undo Drag and Drop\tCtrl+Z" enabled
# Undo after a copy does nothing, and the copy is still what it records.
command undo
expect field lastAction 13
expect rows 5
menu edit
expect menu 1258 "&Undo Drag and Drop\tCtrl+Z" enabled

# The File pop-up leaves the Edit items alone.
click var_row 3
command clear
expect field lastAction 17
menu file
expect menu 1258 "&Undo Drag and Drop\tCtrl+Z" enabled
menu edit
expect menu 1258 "&Undo Clear\tCtrl+Z" enabled
expect menu 1264 "&Paste\tCtrl+V" grayed
