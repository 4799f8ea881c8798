# Paste chooses rows or text from the last edit, else from the clipboard's
# line feed.
library app.lib
store s_two "global type s_two from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\nend type"
create standalone open=s_two
expect field lastAction 0

# Nothing recorded and one line of row text: a row above the current cell's row.
clipboard "\tinteger\t\tcount\r\n"
cell 2 1
command paste
expect grid
a integer . .
count integer . .
b integer . .
. . . E
end
expect field lastAction 15
expect field undoRow 2
expect field pastedCount 1
expect field entryRow 4
expect field changed 1
expect current 4 1

# Pasting below the entry row (moved to the top by Insert Row) leaves it there.
cell 1 1
command insertrow
expect field entryRow 1
cell 3 1
command paste
expect grid
. . . E
a integer . .
count integer . .
count integer . .
b integer . .
end
expect field entryRow 1
expect field undoRow 3

# After a row copy the paste works on rows, even when another program has put
# text without a line feed there since: that text is one line, one row.
click var_row 2
command copy
expect clipboard "\tinteger\t\ta\r\n"
clipboard "hello"
command paste
expect field lastAction 15
expect field pastedCount 1
expect rows 6
command undo
expect rows 5

# Nothing recorded and a few letters: the cell edit control pastes them.
click var_row 2
expect field lastAction 0
click var_name 2
clipboard "abc"
command paste
expect field lastAction 9
expect edit "abc" 3 3
expect rows 5

# After a text paste the next paste is text too, even with a line feed.
clipboard "\tinteger\t\tc\r\n"
command paste
expect field lastAction 9
expect rows 5
