# Rows 2 and 3 (anchor 2) of five dragged onto the entry row, then undone.
library app.lib
store s_five "global type s_five from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\n\tinteger\t\tv4\r\n\tinteger\t\tv5\r\nend type"
create standalone open=s_five
click var_row 2
click var_row 3 shift
press var_row 2
move var_row 6
release var_row 6
expect grid
v1 integer . .
v4 integer . .
v5 integer . .
v2 integer . .
v3 integer . .
. . . E
end
command undo
expect field entryRow 6
expect grid
v1 integer . .
v2 integer . S
v3 integer . S
v4 integer . .
v5 integer . .
. . . E
end
