# An embedded editor whose request starts with the word 0x00012345: the whole
# word is the owner's id and its low 16 bits the group.
create context=1023 caller=1013 object=0x00012345
expect field objectId 0x00012345
expect field groupId 0x2345
expect field contextCode 1023
expect field callerKind 1013
expect rows 12
expect posted frame WM_COMMAND 2300 0

# Menu 2001 carries Return; the command lists end with it.
expect menu 1 "R&eturn" enabled
expect menu 1546 "Insert Row" enabled
expect commands 0 1450 2300 1452 0xFFFF 1258 1260 1262 1264 1266 0xFFFF 1546 1934 0xFFFF 1
expect commands 16 1450 2300 1452 1258 1260 1262 1264 1266 1438 1546 1934 1
expect commands 17 1282
