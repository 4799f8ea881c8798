# The comment given in the save dialog is stored with the entry. A plain Save
# passes no comment and keeps the stored one; Save As with a new comment
# replaces it. The source is the new text every time.
library app.lib
create standalone
answer open new
pump
cell 1 1
type "street"
cell 2 1
answer save s_address library=app.lib comment="postal address"
command save
expect comment s_address "postal address"
expect source s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"

# Plain save: no dialog, the comment stays.
cell 1 1
type "road"
cell 2 1
command save
expect field changed 0
expect comment s_address "postal address"
expect source s_address "global type s_address from structure\r\n\tstring\t\troad\r\nend type"

# Save As onto the same entry with a new comment replaces it, once the user
# agrees to replace it.
cell 1 1
type "lane"
cell 2 1
answer save s_address comment="home address"
answer message yes
command saveas
expect message "s_address already exists in app.lib.\nDo you want to replace it?"
expect field changed 0
expect comment s_address "home address"
expect source s_address "global type s_address from structure\r\n\tstring\t\tlane\r\nend type"

# Save As under another name: the new entry gets its own comment, the old
# entry keeps its text and comment.
answer save s_work comment="work address"
command saveas
expect comment s_work "work address"
expect source s_work "global type s_work from structure\r\n\tstring\t\tlane\r\nend type"
expect comment s_address "home address"

# Save As without a comment keeps the one stored.
cell 1 1
type "way"
cell 2 1
answer save s_work
answer message yes
command saveas
expect message "s_work already exists in app.lib.\nDo you want to replace it?"
expect comment s_work "work address"
expect source s_work "global type s_work from structure\r\n\tstring\t\tway\r\nend type"
