# While another program holds the clipboard open, a row Cut removes nothing:
# the rows could reach no clipboard. Copy still unselects; Clear and Delete
# Row still delete the rows, and their undo brings them back from the
# editor's own copy. Nothing the other program put there is lost, and no
# global memory block is left behind.
library app.lib
store s_four "global type s_four from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\n\tinteger\t\td\r\nend type"
create standalone open=s_four
clipboard "held"
clipboard busy

click var_row 1
command copy
expect field lastAction 13
expect field cutRowList "1"
expect grid
a integer . .
b integer . .
c integer . .
d integer . .
. . . E
end

# Cut: rows, selection, lastAction and changed stay as they were.
click var_row 2
click var_row 3 shift
note blocks
command cut
expect field lastAction 0
expect field changed 0
expect field cutRowList "1"
expect field undoText none
expect grid
a integer . .
b integer . S
c integer . S
d integer . .
. . . E
end
key ctrl+x
expect rows 5
expect blocks 0 0

# Clear deletes the rows all the same and can be undone.
command clear
expect field lastAction 17
expect field changed 1
expect field entryRow 3
expect field cutRowList "2 3"
expect field undoText "\tinteger\t\tb\r\n\tinteger\t\tc\r\n"
expect grid
a integer . .
d integer . .
. . . E
end
expect blocks 1 0
command undo
expect field lastAction 18
expect field entryRow 5
expect grid
a integer . .
b integer . S
c integer . S
d integer . .
. . . E
end

# The undone clear is repeated by the same command.
command undo
expect field lastAction 17
expect rows 3

# Delete Row of the focus row, undone.
cell 1 1
command deleterow
expect field lastAction 17
expect field cutRowList "1"
expect grid
d integer . .
. . . E
end
command undo
expect field lastAction 18
expect grid
a integer . S
d integer . .
. . . E
end

# A Cut of the restored row still finds the clipboard held: the undone
# clear stays what the next Undo repeats.
command cut
expect field lastAction 18
expect rows 3
command undo
expect field lastAction 17
expect grid
d integer . .
. . . E
end

clipboard free
expect clipboard "held"
command undo
expect field lastAction 18
command cut
expect clipboard "\tinteger\t\ta\r\n"
expect field lastAction 11
