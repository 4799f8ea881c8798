# The items of both File and Edit menus with their labels: the stand-alone
# menu has no Return and its Insert Row has a mnemonic, the embedded one the
# other way round.
library app.lib
object window w_main
store s_two "global type s_two from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\nend type"
create standalone open=s_two
expect menu 1258 "Can't Undo\tCtrl+Z" grayed
menu file
expect menu new "&New\tCtrl+N" enabled
expect menu open "&Open...\tCtrl+O" enabled
expect menu close "&Close\tCtrl+W" enabled
expect menu save "&Save\tCtrl+S" enabled
expect menu saveas "Save &As ..." enabled
expect menu 101 "&Quill Panel\tCtrl+Shift+N" enabled
expect menu print "&Print...\tCtrl+P" enabled
expect menu 103 "Pr&inter Setup..." enabled
expect menu 1016 "E&xit Quillmaker" enabled
click var_row 1
menu edit
expect menu undo "Can't Undo\tCtrl+Z" grayed
expect menu cut "Cu&t\tCtrl+X" enabled
expect menu copy "&Copy\tCrtl+C" enabled
expect menu paste "&Paste\tCtrl+V" grayed
expect menu clear "Cl&ear\tDel" enabled
expect menu insertrow "&Insert Row" enabled
expect menu deleterow "&Delete Row" enabled

create embedded w_main
answer open new
pump
menu file
expect menu new "&New\tCtrl+N" enabled
expect menu return "R&eturn" enabled
expect menu saveas "Save &As ..." enabled
expect menu 1016 "E&xit Quillmaker" enabled
menu edit
expect menu insertrow "Insert Row" enabled
expect menu deleterow "&Delete Row" enabled
expect menu undo "Can't Undo\tCtrl+Z" grayed
