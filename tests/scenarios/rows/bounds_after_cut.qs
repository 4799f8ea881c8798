# Cut leaves the tracked bounds as the presses made them, even where the rows
# they named are gone; a Shift-press then only grows them. A drag of the rows
# that are left compares its drop with those bounds: one between them moves
# nothing, one on the first bound moves the block.
library app.lib
store s_four "global type s_four from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\n\tinteger\t\td\r\nend type"
create standalone open=s_four
click var_row 4
click var_row 3 ctrl
command cut
expect clipboard "\tinteger\t\tc\r\n\tinteger\t\td\r\n"
expect field selFirst 3
expect field selLast 4
expect grid
a integer . .
b integer . .
. . . E
end

click var_row 1 shift
expect field selFirst 1
expect field selLast 4
press var_row 2
expect field dragState 2
move var_row 3
release var_row 3
expect field dragState 0
expect field lastAction 0
expect grid
a integer . S
b integer . S
. . . ES
end

press var_row 2
move var_row 1
release var_row 1
expect field lastAction 19
expect field entryRow 3
expect grid
a integer . .
b integer . .
. . . E
end
