# New asks about unsaved changes, then leaves one marked entry row, untitled,
# with nothing left to undo.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\n\tstring\t\tcity\r\nend type"
create standalone open=s_address

# Unchanged and named: no question.
command new
expect nomessage
expect grid
. . . E
end
expect title "Structure - (Untitled)"
expect field untitled 1
expect field structureName none
expect field libraryName none

# Unchanged and untitled: nothing at all.
command new
expect field untitled 1
expect rows 1

cell 1 1
type "a"
expect field lastAction 6
menu edit
expect menu 1258 "&Undo Type\tCtrl+Z" enabled

# Cancel keeps everything.
answer message cancel
command new
expect message 4003 "(Untitled)"
expect field changed 1
expect rows 2

# No discards the rows and the undo.
answer message no
command new
expect grid
. . . E
end
expect field changed 0
expect field lastAction 0
expect menu 1258 "Can't Undo\tCtrl+Z" grayed
key ctrl+z
expect grid
. . . E
end
