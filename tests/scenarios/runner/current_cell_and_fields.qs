# No current cell is row 0, however the column is written; record fields read
# as the record holds them: null as none or 0, enum values by name, the cut-row
# list with or without its count, numbers quoted or not.
library app.lib
store s_three "global type s_three from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\nend type"
create standalone
answer open new
pump
expect current 0
expect current 0 0
expect current none
expect current 0 var_name
expect field notifyWindow 0
expect field notifyWindow none
expect field structureName 0
expect field cutRowList 0
expect field moveSnapshot 0
expect field lastAction UndoNone
expect field dragState DragIdle
expect field changed "0"
expect field contextCode 0x3FE

answer open s_three
command open
cell 2 var_type
expect current 2 2
expect current 2 var_type
click var_row 2
click var_row 3 shift
command cut
expect field cutRowList "2 3"
expect field cutRowList "2 2 3"
expect field lastAction UndoRowsCut
expect field lastAction 11

notify
expect field notifyWindow notify
notify 0
expect field notifyWindow 0
