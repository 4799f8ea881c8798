# Open asks about unsaved changes, opens through the dialog of the setting and
# leaves nothing to undo.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
store s_point "global type s_point from structure\r\n\tinteger\t\tx\r\nend type"
create standalone
expect field firstOpen 1
answer open s_address
pump
expect field firstOpen 0
expect title "Structure - s_address"

cell 1 1
type "road"
expect field lastAction 6

# Cancel in the question: no dialog, nothing changes.
answer message cancel
command open
expect message 4003 "\napp.lib(s_address)"
expect field changed 1

# No, then a cancelled dialog: the editor stays as it was (first open is over).
answer message no
answer open cancel
command open
expect open
expect field changed 1

answer message no
answer open s_point
command open
expect grid
x integer . .
. . . E
end
expect field changed 0
expect field lastAction 0
expect field anchorRow 0
expect menu 1258 "Can't Undo\tCtrl+Z" grayed
expect title "Structure - s_point"
expect field structureName s_point

# New chosen in the open dialog runs the New command.
answer open new
command open
expect grid
. . . E
end
expect field untitled 1
expect title "Structure - (Untitled)"
