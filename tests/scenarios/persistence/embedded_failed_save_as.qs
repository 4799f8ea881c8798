# A Save As under a new name that does not compile leaves the editor on its
# old type: the next plain save still goes to the structure it was opened as.
library app.lib
object window w_main
store-local w_main s_line "type s_line from structure\r\n\tstring\t\ttext\r\nend type"
create embedded w_main
answer open s_line
pump
expect field localTypeId 1
cell 1 2
type "nosuchtype"
cell 2 1
answer save s_other
command saveas
expect errors "2: text: Unknown type \"nosuchtype\"."
expect field localTypeId 1
expect field structureName s_line
expect field changed 1
expect title "Structure - s_line for w_main"
cell 1 2
type "long"
cell 2 1
command save
expect nomessage
expect field changed 0
expect field structureName s_line
close
expect closed
expect local w_main s_line "type s_line from structure\r\n\tlong\t\ttext\r\nend type"
