# The reason under the message differs from the one expected: the check fails.
library app.lib
create standalone
answer open s_missing
answer message ok
pump
expect message-detail "The library app.lib is in use by another program."
