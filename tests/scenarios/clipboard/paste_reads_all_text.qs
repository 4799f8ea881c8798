# Paste reads all the text it was given: an empty line, or one byte before its
# line feed, is skipped and the lines after it still count; the text after the
# last line feed is a line too when it holds a word character.
library app.lib
store s_one "global type s_one from structure\r\n\tlong\t\tx\r\nend type"
create standalone open=s_one

# An empty line between two rows.
cell 1 1
clipboard "\tinteger\t\ta\r\n\n\tinteger\t\tb\r\n"
command paste
expect field lastAction 15
expect field pastedCount 2
expect field undoRow 1
expect field entryRow 4
expect field changed 1
expect grid
a integer . .
b integer . .
x long . .
. . . E
end

# One byte before the line feed is still too short for a row.
cell 3 1
clipboard "\tinteger\t\tc\r\nx\n\tinteger\t\td\r\n"
command paste
expect field pastedCount 2
expect field entryRow 6

# Leading and repeated CR LF pairs, and a last line without a line break.
cell 5 1
clipboard "\r\n\tinteger\t\te\r\n\r\n\r\n\tinteger\t\tf"
command paste
expect field pastedCount 2
expect field undoRow 5
expect field entryRow 8

# The last line keeps its decimal positions.
cell 7 1
clipboard "\tinteger\t\tg\r\n\tdecimal {2}\th"
command paste
expect field pastedCount 2

# What follows the last line feed without any word character is no line.
cell 9 1
clipboard "\tinteger\t\ti\r\n \t\r"
command paste
expect field pastedCount 1
expect field entryRow 11

# Nothing but line breaks: no row, the paste is still recorded.
cell 1 1
clipboard "\r\n\n\r\n"
command paste
expect field lastAction 15
expect field pastedCount 0
expect rows 11

# Two bytes make a line: a one-letter type word and its line feed's CR.
cell 1 1
clipboard "b\r\n"
command paste
expect field pastedCount 1

# Pasted as rows (after a row paste), text without any line feed is one line
# when it holds a word, and no line when it does not.
cell 1 1
clipboard "\tlong\t\tsolo"
command paste
expect field lastAction 15
expect field pastedCount 1
clipboard " \t"
command paste
expect field lastAction 15
expect field pastedCount 0
expect grid
solo long . .
. b . .
a integer . .
b integer . .
c integer . .
d integer . .
e integer . .
f integer . .
g integer . .
h decimal 2 .
i integer . .
x long . .
. . . E
end
expect field entryRow 13
