# The row above the entry row may still hold an abbreviated type (pasted rows
# are written as they stand). Typing a name into the entry row reads that row
# first, which writes its type out, and the new variable takes "decimal" and
# the decimal positions from it.
library app.lib
store s_two "global type s_two from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\nend type"
create standalone open=s_two
clipboard "\tdec\t\tc\r\n"
command paste
expect field entryRow 4
cell 3 3
type "2"
cell 4 1
expect grid
a integer . .
b integer . .
c dec 2 .
. . . E
end
type "d"
expect field entryRow 5
expect field changed 1
expect field lastAction 6
cell 5 1
expect grid
a integer . .
b integer . .
c decimal 2 .
d decimal 2 .
. . . E
end
