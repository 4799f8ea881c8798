# A save that would make a structure hold itself through other structures
# fails with the compiler's report at the member that closes the circle, for
# global structures of one library and for the local ones of an owner alike;
# nothing is stored and the structure stays changed.
library app.lib
object window w_main
store s_b "global type s_b from structure\r\n\tinteger\t\tn\r\nend type"
store s_a "global type s_a from structure\r\n\ts_b\t\tinner\r\nend type"
create standalone open=s_b
cell 2 1
type "outer"
cell 2 2
type "S_A"
cell 3 1
command save
expect errors "3: outer: A structure cannot contain itself."
expect field changed 1
expect source s_b "global type s_b from structure\r\n\tinteger\t\tn\r\nend type"

store-local w_main s_inner "type s_inner from structure\r\n\tinteger\t\tn\r\nend type"
store-local w_main s_outer "type s_outer from structure\r\n\ts_inner\t\tpart\r\nend type"
create embedded w_main
answer open s_inner
pump
cell 2 1
type "back"
cell 2 2
type "s_outer"
cell 3 1
command save
expect errors "3: back: A structure cannot contain itself."
expect field changed 1
answer message no
close
expect closed
expect local w_main s_inner "type s_inner from structure\r\n\tinteger\t\tn\r\nend type"
