# A structure opened from a library saves under its own name without a dialog;
# Save of an unchanged structure does nothing, Save As always asks.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\n\tstring\t\tcity\r\nend type"
create standalone open=s_address
expect grid
street string . .
city string . .
. . . E
end
expect current 3 1
expect title "Structure - s_address"

# No answer is queued: a dialog would fail this step.
cell 2 1
type "town"
cell 3 1
command save
expect source s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\n\tstring\t\ttown\r\nend type"
expect field changed 0
expect title "Structure - s_address"
expect cursor arrow
expect status 150
# Saving is no edit: the typing can still be undone.
expect field lastAction 6

command save
expect nomessage

# Save As of the unchanged structure asks for a name, offering the current library.
answer save s_home
command saveas
expect source s_home "global type s_home from structure\r\n\tstring\t\tstreet\r\n\tstring\t\ttown\r\nend type"
expect source s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\n\tstring\t\ttown\r\nend type"
expect title "Structure - s_home"
expect field structureName s_home
expect field libraryName app.lib

# Later plain saves go to the entry chosen last.
cell 1 1
type "road"
cell 3 1
command save
expect source s_home "global type s_home from structure\r\n\tstring\t\troad\r\n\tstring\t\ttown\r\nend type"
expect source s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\n\tstring\t\ttown\r\nend type"
