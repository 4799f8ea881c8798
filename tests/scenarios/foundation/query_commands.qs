# HM_QUERYCOMMANDS: selector 0 writes exactly 14 entries (the check also fails
# when anything is written past them), an unknown selector writes nothing, and
# selector 17 names the Return description by caller kind.
create context=1023 caller=1019
expect commands 0 1450 2300 1452 0xFFFF 1258 1260 1262 1264 1266 0xFFFF 1546 1934 0xFFFF 1
expect commands 5
expect commands 1
expect commands 17 2290

create context=1023 caller=1013
expect commands 17 1282
create context=1023 caller=1014
expect commands 17 1284
create context=1023 caller=1024
expect commands 17 1286
create context=1023 caller=1018
expect commands 17 1310
# The table is consulted whatever the context code.
create standalone
expect commands 17 2290
create context=1022 caller=1018
expect commands 17 1310
