# A context code that is neither stand-alone nor embedded takes the embedded
# menu and accelerators, gets the twelve rows and the queued Open, but no
# owner: objectId stays 0 even with a request.
create context=1000 caller=1013 object=0x777
expect field contextCode 1000
expect field objectId 0
expect field groupId 0
expect rows 12
# Only the embedded setting names an owner in the title.
expect title "Structure - (Untitled)"
expect posted frame WM_COMMAND 2300 0
expect menu 1 "R&eturn" enabled
expect menu 1546 "Insert Row" enabled
expect commands 0 1450 2300 1452 0xFFFF 1258 1260 1262 1264 1266 0xFFFF 1546 1934 0xFFFF 1
expect commands 16 1450 2300 1452 1258 1260 1262 1264 1266 1438 1546 1934 1

# Accelerator table 2003 holds Ctrl+Shift+T (Return): an editor with nothing
# to save returns, that is closes.
answer open new
pump
key ctrl+shift+t
expect closed
