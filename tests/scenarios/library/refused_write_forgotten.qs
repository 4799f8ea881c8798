# A version the library refused is forgotten by the program: a later editor of
# that structure loads what the file holds, and later editors of the same owner
# neither ask about it nor write it. The editor that made it keeps its rows.
library app.lib
busy-timeout 50
object window w_main
store-local w_main s_line "type s_line from structure\r\n\tstring\t\ttext\r\nend type"
store-local w_main s_note "type s_note from structure\r\n\tstring\t\tbody\r\nend type"
create embedded w_main
answer open s_line
pump
cell 1 1
type "mine"
cell 2 1
store-local w_main s_line "type s_line from structure\r\n\tlong\t\ttheirs\r\nend type"
answer message no
answer message ok
command save
expect message "s_line was not saved to w_main."
expect field changed 1

# Another structure of the owner saved and closed: nothing asked about s_line.
create embedded w_main
answer open s_note
pump
cell 1 1
type "text"
cell 2 1
command save
expect nomessage
close
expect closed
expect nomessage
expect local w_main s_note "type s_note from structure\r\n\tstring\t\ttext\r\nend type"
expect local w_main s_line "type s_line from structure\r\n\tlong\t\ttheirs\r\nend type"

# A later editor of s_line loads the file's version and closes without a word.
create embedded w_main
answer open s_line
pump
expect grid
theirs long . .
. . . E
end
close
expect closed
expect nomessage

# A new structure whose write failed is not one of the owner's either.
create embedded w_main
answer open new
pump
cell 1 1
type "qty"
cell 1 2
type "int"
cell 2 1
lock app.lib
answer save s_new
answer message ok
command save
expect message "s_new was not saved to w_main."
expect field untitled 1
unlock app.lib
answer message no
close
expect closed
create embedded w_main
answer open s_new
answer message ok
pump
expect message 4020 "s_new"
expect closed

# The editor of the refused version still holds its rows, unsaved; left
# without saving, the file keeps the other version.
expect grid
mine string . .
. . . E
end
expect field changed 1
answer message no
close
expect closed
expect local w_main s_line "type s_line from structure\r\n\tlong\t\ttheirs\r\nend type"
