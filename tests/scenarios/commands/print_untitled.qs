# Print before anything was opened or saved: asked, and rows that cannot be saved print nothing.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
create standalone
answer message ok
answer message ok
answer open s_address
command print
expect message 4019
expect noprint
expect title "Structure - s_address"
