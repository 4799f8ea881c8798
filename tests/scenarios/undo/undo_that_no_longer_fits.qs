# An undo never touches rows it did not make. Once Insert Row has moved the
# entry row across pasted rows, or moved it at all after a drop, their
# recorded numbers name other rows, so Undo does nothing; and a repeated Cut or Clear needs the restored rows
# to be still selected, or it would act on the cell's text instead.
library app.lib
store s_four "global type s_four from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\n\tinteger\t\td\r\nend type"
create standalone open=s_four

cell 2 1
clipboard "\tstring\t\tp\r\n"
command paste
expect field lastAction 15
cell 1 1
command insertrow
expect field lastAction 0
command undo
expect grid
. . . E
a integer . .
p string . .
b integer . .
c integer . .
d integer . .
end

# Insert Row that moves no row leaves the paste undoable.
cell 3 1
command paste
expect field lastAction 15
cell 2 1
command insertrow
expect field lastAction 15
command undo
expect field lastAction 16
expect rows 6

# The restored rows are unselected by a press on a cell: the repeated cut
# does nothing, and the cell's text stays.
click var_row 3
command cut
expect field lastAction 11
command undo
expect field lastAction 12
click var_name 3
expect grid
. . . E
a integer . .
p string . .
b integer . .
c integer . .
d integer . .
end
command undo
expect field lastAction 12
expect rows 6
expect edit "p" 0 1
expect clipboard "\tstring\t\tp\r\n"

# The same for a repeated clear.
click var_row 3
command clear
command undo
expect field lastAction 18
click var_name 4
command undo
expect field lastAction 18
expect rows 6
expect field changed 1

# An Insert Row that keeps the entry row on the same side of the pasted rows
# leaves them where they were: the paste can still be undone.
cell 5 1
command paste
expect field undoRow 5
expect field entryRow 1
cell 3 1
command insertrow
expect field entryRow 2
expect field lastAction 15
command undo
expect field lastAction 16
expect field entryRow 2
expect grid
a integer . .
. . . E
p string . .
b integer . .
c integer . .
d integer . .
end

# After a drop, any move of the entry row ends the undo.
click var_row 3
press var_row 3
move var_row 2
move var_row 1
release var_row 1
expect field lastAction 19
expect grid
p string . .
a integer . .
. . . E
b integer . .
c integer . .
d integer . .
end
cell 5 1
command insertrow
expect field lastAction 0
command undo
expect grid
p string . .
a integer . .
b integer . .
. . . E
c integer . .
d integer . .
end
