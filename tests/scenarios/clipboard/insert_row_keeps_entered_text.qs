# Text pasted into the entry row's cells opens no new entry row, so the entry
# row can come to hold a variable. Insert Row then leaves that row in place as
# an ordinary row and only moves the marker: no variable is lost.
library app.lib
store s_two "global type s_two from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\nend type"
create standalone open=s_two
clipboard "qty"
cell 3 1
command paste
expect field lastAction 9
cell 3 2
type "integer"
expect field entryRow 3

cell 1 1
command insertrow
expect field entryRow 1
expect current 1 1
expect grid
. . . E
a integer . .
b integer . .
qty integer . .
end

# Moving it down again: the empty entry row is moved as before.
cell 4 1
command insertrow
expect field entryRow 3
expect grid
a integer . .
b integer . .
. . . E
qty integer . .
end
