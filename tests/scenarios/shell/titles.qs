# The frame's title names the structure and, embedded, the owning object;
# owners the host has not named yet ("w1", "m7", "u0") show as untitled.
library app.lib
object window w_main
object window w1
object window w12
object window x1
object menu m7
object userobject u0

create standalone
expect title "Structure - (Untitled)"

create embedded w_main
expect title "Structure - (Untitled) for w_main"
create embedded w1
expect title "Structure - (Untitled) for (Untitled)"
create embedded w12
expect title "Structure - (Untitled) for w12"
create embedded x1
expect title "Structure - (Untitled) for x1"
create embedded m7 caller=1014
expect title "Structure - (Untitled) for (Untitled)"
create embedded u0 caller=1024
expect title "Structure - (Untitled) for (Untitled)"

# An embedded editor without a request has no owner: object 0, whose name is
# empty.
create context=1023 caller=1013
expect field objectId 0
expect title "Structure - (Untitled) for "
