# The stored comment differs from the one expected: the check fails.
library app.lib
create standalone
answer open new
pump
cell 1 1
type "id"
cell 2 1
answer save s_a library=app.lib comment="first"
command save
expect comment s_a "first"
expect comment s_a "second"
