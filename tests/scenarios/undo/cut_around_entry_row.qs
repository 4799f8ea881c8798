# Rows cut above and below an entry row that is not the last row: the entry
# row moves up by the rows taken above it only, and the undo, which puts the
# rows back on both sides of it, moves it down by those above it only.
library app.lib
store s_four "global type s_four from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\n\tinteger\t\td\r\nend type"
create standalone open=s_four
cell 2 1
command insertrow
expect field entryRow 2
click var_row 1
click var_row 4 ctrl
command cut
expect clipboard "\tinteger\t\ta\r\n\tinteger\t\tc\r\n"
expect field lastAction 11
expect field entryRow 1
expect grid
. . . E
b integer . .
d integer . .
end

command undo
expect field lastAction 12
expect field entryRow 2
expect grid
a integer . S
. . . E
b integer . .
c integer . S
d integer . .
end

# Cut again by the same command: the same rows go, the entry row with them up.
command undo
expect field lastAction 11
expect field entryRow 1
expect rows 3
