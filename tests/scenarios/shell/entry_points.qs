# A new editor starts with 12 empty rows and queues the Open command for the
# frame; its instance holds the starting values.
create standalone
expect rows 12
expect posted frame 0x111 2300 0
expect field firstOpen 1
expect field entryRow 1
expect field undoRow 1
expect field autoAppendArmed 1
expect field changed 0
expect field lastAction 0
expect field contextCode 1022
expect field structureName none
expect commands 0 1450 2300 1452 0xFFFF 1258 1260 1262 1264 1266 0xFFFF 1546 1934 0xFFFF 2290
expect commands 16 1450 2300 1452 1258 1260 1262 1264 1266 1438 1546 1934 2290
expect commands 17 2290
expect commands 5

# Embedded: the request's first word names the owner (and its group).
create context=1023 caller=1018 object=0x00012345
expect rows 12
expect field objectId 74565
expect field groupId 9029
expect field callerKind 1018
expect commands 17 1310
expect commands 16 1450 2300 1452 1258 1260 1262 1264 1266 1438 1546 1934 1

# Any other context code takes the embedded menu but sets no owner.
create context=77 caller=1019 object=5
expect field objectId 0
expect field contextCode 77
expect commands 0 1450 2300 1452 0xFFFF 1258 1260 1262 1264 1266 0xFFFF 1546 1934 0xFFFF 1
expect commands 17 2290
