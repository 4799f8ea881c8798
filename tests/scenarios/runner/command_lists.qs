# expect commands reads the words after the selector as the entries, or as their
# count followed by the entries.
create context=1023 caller=1014
expect commands 0 1450 2300 1452 0xFFFF 1258 1260 1262 1264 1266 0xFFFF 1546 1934 0xFFFF 1
expect commands 0 14 1450 2300 1452 0xFFFF 1258 1260 1262 1264 1266 0xFFFF 1546 1934 0xFFFF 1
expect commands 16 12 1450 2300 1452 1258 1260 1262 1264 1266 1438 1546 1934 1
expect commands 17 1284
expect commands 17 1 1284
expect commands 5
expect commands 5 0
