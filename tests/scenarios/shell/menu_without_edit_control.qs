# Right after New the grid has no current cell and so no cell edit control:
# the text selection counts as empty and Cut, Copy and Clear follow the row
# selection alone.
library app.lib
create standalone
answer open new
pump
expect current 0 0
clipboard "words"
menu edit
expect menu 1260 "Cu&t\tCtrl+X" grayed
expect menu 1262 "&Copy\tCrtl+C" grayed
expect menu 1266 "Cl&ear\tDel" grayed
expect menu 1264 "&Paste\tCtrl+V" enabled
expect menu 1258 "Can't Undo\tCtrl+Z" grayed
