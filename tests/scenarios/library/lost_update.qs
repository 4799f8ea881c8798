# Two editors on one library, and another program writing it: a save that
# would replace a version someone else wrote after this editor read it asks
# first, and No writes nothing.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"

# Two editors open s_address; the second saves first and is asked nothing.
create standalone open=s_address
create standalone open=s_address
cell 1 1
type "lane"
cell 2 1
command save
expect nomessage
close
expect closed

# The first editor still has the version before: No fails the save and says why.
cell 1 1
type "road"
cell 2 1
answer message no
answer message ok
command save
expect message-detail "You kept the version in app.lib; your rows are unchanged."
expect message 4012
expect field changed 1
expect source s_address "global type s_address from structure\r\n\tstring\t\tlane\r\nend type"

# Asked again, Yes replaces that version.
answer message yes
command save
expect message "s_address was changed in app.lib after you opened it.\nReplace that version with yours?"
expect field changed 0
expect source s_address "global type s_address from structure\r\n\tstring\t\troad\r\nend type"

# Its own save is no change by someone else: the next save asks nothing.
cell 1 1
type "way"
cell 2 1
command save
expect nomessage

# Another program writes the entry meanwhile: asked again.
store s_address "global type s_address from structure\r\n\tlong\t\tnumber\r\nend type"
cell 1 1
type "path"
cell 2 1
answer message yes
command save
expect message "s_address was changed in app.lib after you opened it.\nReplace that version with yours?"
expect source s_address "global type s_address from structure\r\n\tstring\t\tpath\r\nend type"

# A local structure is written when its editor saves it: the same question
# for one another program wrote meanwhile; No fails the save, says why and
# keeps theirs.
object window w_main
store-local w_main s_line "type s_line from structure\r\n\tstring\t\ttext\r\nend type"
create embedded w_main
answer open s_line
pump
cell 1 1
type "note"
cell 2 1
store-local w_main s_line "type s_line from structure\r\n\tlong\t\tcount\r\nend type"
answer message no
answer message ok
command save
expect message-detail "You kept the version in app.lib; your rows are unchanged."
expect message "s_line was not saved to w_main."
expect field changed 1
expect local w_main s_line "type s_line from structure\r\n\tlong\t\tcount\r\nend type"

# Asked again, Yes writes the editor's version over theirs; the close writes nothing more.
answer message yes
command save
expect message "s_line was changed in app.lib after you opened it.\nReplace that version with yours?"
expect field changed 0
expect local w_main s_line "type s_line from structure\r\n\tstring\t\tnote\r\nend type"
close
expect closed
expect nomessage
