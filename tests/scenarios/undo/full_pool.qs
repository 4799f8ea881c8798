# With the pool full, an undo or a paste that needs a block does nothing: the
# grid keeps its one entry row, and the last edit stays undoable once the pool
# has room again.
library app.lib
store s_four "global type s_four from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\n\tinteger\t\td\r\nend type"
create standalone open=s_four

click var_row 2
click var_row 3 shift
command clear
expect field lastAction 17
pool full
command undo
expect field lastAction 17
expect grid
a integer . .
d integer . .
. . . E
end

clipboard "\tstring\t\tp\r\n"
cell 1 1
command paste
expect field lastAction 17
expect rows 3

pool free
command undo
expect field lastAction 18
expect grid
a integer . .
b integer . S
c integer . S
d integer . .
. . . E
end
