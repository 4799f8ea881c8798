# Print before anything was opened or saved: asked, and a cancelled save dialog prints nothing.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
create standalone
answer message ok
answer save cancel
answer open s_address
command print
expect message 4339
expect noprint
expect title "Structure - s_address"
