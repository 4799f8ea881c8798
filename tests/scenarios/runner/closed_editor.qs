# expect closed and expect open ask about the editor the latest step acted on:
# once the newer of two editors has closed, steps act on the older one, and the
# checks follow it.
library app.lib
object window w_main
answer open new
create standalone
pump
answer open new
create embedded w_main
pump
close
expect closed
expect field contextCode 1022
size 300 200
expect open
close
expect closed
