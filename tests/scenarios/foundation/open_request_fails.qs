# A stand-alone editor asked to open a structure its library does not hold:
# the load reports it, WM_CLOSE is posted to the frame, and the request is
# freed all the same (the runner fails any file whose editors leave pool
# blocks behind).
library app.lib
answer message ok
create standalone open=s_missing
expect message 4020 "s_missing"
expect posted frame WM_CLOSE 0 0
expect open
expect cursor arrow
expect status 150
# The failed load left the grid empty and the title untitled.
expect rows 0
expect title "Structure - (Untitled)"
expect field structureName "s_missing"
expect field libraryName "app.lib"
pump
expect closed
