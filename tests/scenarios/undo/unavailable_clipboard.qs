# The undo and redo of row cuts and pastes read the clipboard; when it cannot
# be opened or holds no text they change nothing and the edit stays recorded.
library app.lib
store s_four "global type s_four from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\n\tinteger\t\td\r\nend type"
create standalone open=s_four

click var_row 2
command cut
expect field lastAction 11
clipboard busy
command undo
expect field lastAction 11
expect rows 4
clipboard free
command undo
expect field lastAction 12
expect grid
a integer . .
b integer . S
c integer . .
d integer . .
. . . E
end

# A paste whose redo finds an empty clipboard.
cell 2 1
clipboard "\tstring\t\tp\r\n"
command paste
expect field lastAction 15
expect field entryRow 6
command undo
expect field lastAction 16
expect field entryRow 5
clipboard none
command undo
expect field lastAction 16
expect rows 5
clipboard busy
command undo
expect field lastAction 16
expect rows 5
clipboard free
