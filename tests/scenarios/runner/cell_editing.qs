# The current cell's edit control: a cell made current shows its text all
# selected, so typing replaces it; textsel changes the selection.
answer open new
create standalone
pump
expect current 0 0
cell 1 var_name
expect current 1 var_name
expect edit "" 0 0
type "amount"
expect edit "amount" 6 6
cell 1 var_type
expect current 1 2
expect edit "string" 0 6
textsel 0 3
type "xyz"
expect edit "xyzing" 3 3

# The Edit menu follows the text selection.
textsel 2 2
menu edit
expect menu cut "Cu&t\tCtrl+X" grayed
textsel 0 2
menu edit
expect menu cut "Cu&t\tCtrl+X" enabled
cell 1 var_name
expect edit "amount" 0 6
