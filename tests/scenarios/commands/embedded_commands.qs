# An embedded editor: a cancelled first open closes it, a structure the owner
# lacks is reported, and New (from the dialog or as a command) leaves an
# untitled structure that the title names so.
library app.lib
object window w_main
store-local w_main s_line "type s_line from structure\r\n\tstring\t\ttext\r\nend type"

create embedded w_main
answer open cancel
pump
expect closed

create embedded w_main
answer open nosuch
answer message ok
pump
expect message 4020 "nosuch"
expect closed

create embedded w_main
answer open s_line
pump
expect title "Structure - s_line for w_main"
answer open new
command open
expect grid
. . . E
end
expect title "Structure - (Untitled) for w_main"
expect field untitled 1
expect field changed 0

answer open s_line
command open
expect title "Structure - s_line for w_main"
expect field untitled 0
command new
expect nomessage
expect grid
. . . E
end
expect title "Structure - (Untitled) for w_main"
expect field untitled 1
expect field structureName none

# Return by its key: nothing to save, so the editor closes at once.
key ctrl+shift+t
expect closed
