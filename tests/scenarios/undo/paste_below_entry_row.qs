# Rows pasted below the entry row leave it where it is, and so does their
# undo; the redo pastes them above the entry row.
library app.lib
store s_three "global type s_three from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\nend type"
create standalone open=s_three
cell 2 1
command insertrow
expect field entryRow 2
cell 4 1
clipboard "\tstring\t\tp1\r\n\tstring\t\tp2\r\n"
command paste
expect field undoRow 4
expect field pastedCount 2
expect field entryRow 2
expect current 2 1
expect grid
a integer . .
. . . E
b integer . .
p1 string . .
p2 string . .
c integer . .
end

command undo
expect field lastAction 16
expect field entryRow 2
expect grid
a integer . .
. . . E
b integer . .
c integer . .
end

command undo
expect field lastAction 15
expect field undoRow 2
expect field entryRow 4
expect grid
a integer . .
p1 string . .
p2 string . .
. . . E
b integer . .
c integer . .
end
