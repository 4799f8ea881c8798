# create may come several times; later steps act on the most recently created
# editor that is still open.
library app.lib
object window w_main
answer open new
create standalone
pump
answer open new
create embedded w_main
pump
expect field contextCode 1023
expect title "Structure - (Untitled) for w_main"

# Closing the newest one makes the older one current again.
close
expect closed
expect field contextCode 1022
expect title "Structure - (Untitled)"
