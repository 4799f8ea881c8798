# Print prints the stored entry; a changed or never-saved structure is offered a save first.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
create standalone open=s_address

# Unchanged: no question.
command print
expect nomessage
expect printed app.lib s_address.srs 1

# Changed: the question; Cancel prints and saves nothing.
cell 1 1
type "road"
answer message cancel
command print
expect message 4339
expect noprint
expect field changed 1

# OK saves (no dialog for a named structure) and prints once.
answer message ok
command print
expect message 4339
expect field changed 0
expect printed app.lib s_address.srs 1
expect source s_address "global type s_address from structure\r\n\tstring\t\troad\r\nend type"

# Untitled: asked even unchanged; a new grid has nothing to save, so nothing prints.
command new
answer message ok
answer message ok
command print
expect message 4019
expect noprint

cell 1 1
type "id"
cell 2 1
answer message ok
answer save s_id library=app.lib
command print
expect message 4339
expect printed app.lib s_id.srs 1
expect title "Structure - s_id"
expect source s_id "global type s_id from structure\r\n\tstring\t\tid\r\nend type"
