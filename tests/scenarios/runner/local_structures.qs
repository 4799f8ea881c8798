# Local structures of an owning object: stored, read back from the file, and
# opened through the local-structure dialog, which takes the same answers.
library app.lib
object window w_main
store-local w_main s_line "type s_line from structure\r\n\tstring\t\ttext\r\n\tinteger\t\twidth\r\nend type"
expect local w_main s_line "type s_line from structure\r\n\tstring\t\ttext\r\n\tinteger\t\twidth\r\nend type"
expect noentry s_line
answer open s_line
create embedded w_main
pump
expect title "Structure - s_line for w_main"
expect grid
text string . .
width integer . .
. . . E
end
