# A line with fewer than two bytes before its line feed ends the paste also
# when it is not the first: the lines before it are inserted, none after it.
library app.lib
store s_one "global type s_one from structure\r\n\tlong\t\tx\r\nend type"
create standalone open=s_one
cell 1 1
clipboard "\tinteger\t\ta\r\n\n\tinteger\t\tb\r\n"
command paste
expect field lastAction 15
expect field pastedCount 1
expect field undoRow 1
expect field entryRow 3
expect field changed 1
expect grid
a integer . .
x long . .
. . . E
end

# One byte before the line feed is still too short.
cell 2 1
clipboard "\tinteger\t\tc\r\nx\n\tinteger\t\td\r\n"
command paste
expect field pastedCount 1
expect grid
a integer . .
c integer . .
x long . .
. . . E
end

# Two bytes make a line: a one-letter type word and its line feed's CR.
cell 1 1
clipboard "b\r\n"
command paste
expect field pastedCount 1
expect grid
. b . .
a integer . .
c integer . .
x long . .
. . . E
end
expect field entryRow 5
menu edit
expect menu 1258 "&Undo Paste\tCtrl+Z" enabled
command undo
expect field lastAction 16
expect rows 4
expect field entryRow 4
