# The undo and redo of row cuts, clears and pastes use the editor's own copy
# of the rows, whatever the clipboard holds by then: text of another program,
# nothing, or held open by another program. New and Open free that copy.
library app.lib
store s_four "global type s_four from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\n\tinteger\t\td\r\nend type"
create standalone open=s_four
note blocks

# A clipboard held open elsewhere.
click var_row 2
command cut
expect field lastAction 11
expect field undoText "\tinteger\t\tb\r\n"
clipboard busy
command undo
expect field lastAction 12
expect field entryRow 5
expect grid
a integer . .
b integer . S
c integer . .
d integer . .
. . . E
end
clipboard free

# Text another program put there since.
click var_row 3
click var_row 4 shift
command cut
expect rows 3
clipboard "\tlong\t\tforeign\r\n"
command undo
expect field lastAction 12
expect grid
a integer . .
b integer . .
c integer . S
d integer . S
. . . E
end
expect clipboard "\tlong\t\tforeign\r\n"

# An emptied clipboard, after a Clear.
click var_row 1
command clear
expect field undoText "\tinteger\t\ta\r\n"
clipboard none
command undo
expect field lastAction 18
expect grid
a integer . S
b integer . .
c integer . .
d integer . .
. . . E
end

# A paste keeps the pasted text: its redo inserts it again directly above
# the entry row, with the clipboard empty or held.
cell 2 1
clipboard "\tstring\t\tp\r\n"
command paste
expect field lastAction 15
expect field undoText "\tstring\t\tp\r\n"
expect field entryRow 6
command undo
expect field lastAction 16
expect field entryRow 5
clipboard none
command undo
expect field lastAction 15
expect field entryRow 6
expect grid
a integer . .
b integer . .
c integer . .
d integer . .
p string . .
. . . E
end
command undo
expect rows 5
clipboard busy
command undo
expect field lastAction 15
expect rows 6
command undo
expect field lastAction 16
clipboard free

# Open frees the copy and its recorded rows: with the clipboard emptied, the
# pool and global memory are back where they were.
answer message no
answer open s_four
command open
expect field undoText none
expect field cutRowList none
clipboard none
expect blocks 0 0
command undo
expect rows 5

# So does New.
command new
note blocks
cell 1 1
type "x"
click var_row 1
command cut
expect field undoText "\tstring\t\tx\r\n"
clipboard none
answer message no
command new
expect field undoText none
expect blocks 0 0
