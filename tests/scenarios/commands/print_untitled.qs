# Print before the first open has run: the print question's own message loop
# runs the pending open, so by the time the question is answered the editor
# holds the structure opened, which prints without a save.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
create standalone
answer message ok
answer open s_address
command print
expect title "Structure - s_address"
expect printed app.lib s_address.srs 1
