# Cancelling the first open dialog closes the editor.
library app.lib
create standalone
answer open cancel
pump
expect closed
