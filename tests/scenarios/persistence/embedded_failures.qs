# A local structure that does not compile is not stored and stays changed.
library app.lib
object window w_main
store-local w_main s_line "type s_line from structure\r\n\tstring\t\ttext\r\nend type"
create embedded w_main
answer open s_line
pump
expect grid
text string . .
. . . E
end
expect title "Structure - s_line for w_main"
cell 1 2
type "nosuchtype"
cell 2 1
command save
expect errors "2: text: Unknown type \"nosuchtype\"."
expect field changed 1
expect cursor arrow
expect status 150

# Cancelled Save As: nothing more.
answer save cancel
command saveas
expect field changed 1
expect field structureName s_line

# Fixed, it saves under its name.
cell 1 2
type "string"
cell 1 1
type "line"
cell 2 1
command save
expect field changed 0
close
expect closed
expect local w_main s_line "type s_line from structure\r\n\tstring\t\tline\r\nend type"
