# A move that takes the entry row along puts the marker at its new place; the
# undo brings it back to the row it had, and the redo moves it again.
library app.lib
store s_three "global type s_three from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\nend type"
create standalone open=s_three
click var_row 3
click var_row 4 shift
press var_row 4
move var_row 1
release var_row 1
expect field entryRow 2
expect field undoRow 4
expect field moveCount 2
expect current 2 1
expect grid
c integer . .
. . . E
a integer . .
b integer . .
end

command undo
expect field entryRow 4
expect field lastAction 20
expect grid
a integer . .
b integer . .
c integer . S
. . . ES
end

command undo
expect field entryRow 2
expect field lastAction 19
expect grid
c integer . .
. . . E
a integer . .
b integer . .
end
