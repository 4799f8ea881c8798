# When the last edit is neither a row nor a text cut, copy or paste, Paste
# looks at the clipboard: a line feed means rows, no line feed means text.
library app.lib
store s_two "global type s_two from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\nend type"
create standalone open=s_two

# After typing, row text is pasted as rows before the current cell's row.
cell 1 1
type "x"
expect field lastAction 6
clipboard "\tlong\t\tl1\n"
command paste
expect field lastAction 15
expect field undoRow 1
expect grid
l1 long . .
x integer . .
b integer . .
. . . E
end
expect current 4 1

# After a row clear (Paste is grayed then) the command still pastes rows: the
# cleared row goes back in before the entry row.
click var_row 1
command clear
expect clipboard "\tlong\t\tl1\r\n"
command paste
expect field lastAction 15
expect field undoRow 3
expect grid
x integer . .
b integer . .
l1 long . .
. . . E
end

# After the undo of a row paste, text without a line feed goes into the cell.
command undo
expect field lastAction 16
clipboard "zz"
cell 1 1
command paste
expect field lastAction 9
expect edit "zz" 2 2
expect rows 3

# A clipboard held by another program, or one without text, pastes nothing
# in either mode, and the last edit stays recorded.
cell 3 1
click var_row 1
expect field lastAction 0
clipboard "\tinteger\t\tc\r\n"
clipboard busy
command paste
expect field lastAction 0
expect rows 3
clipboard free
click var_row 2
command copy
expect field lastAction 13
clipboard busy
command paste
expect field lastAction 13
expect rows 3
clipboard free
clipboard none
command paste
expect field lastAction 13
expect rows 3
expect grid
zz integer . .
b integer . .
. . . E
end
