# A structure that has never been saved has no stored entry: Print asks for
# the save first, and prints nothing while the structure stays unnamed.
library app.lib
create standalone
answer open new
pump
expect field structureName none
answer message cancel
command print
expect noprint
expect cursor arrow
