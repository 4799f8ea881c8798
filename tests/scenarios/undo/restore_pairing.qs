# Restoring pairs the clipboard's lines with the recorded rows by position:
# after cutting rows 2 (a variable), 3 (the empty entry row) and 4 (a
# variable), the undo puts the two lines back as rows 2 and 3.
library app.lib
store s_four "global type s_four from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\n\tinteger\t\tv4\r\nend type"
create standalone open=s_four
cell 3 1
command insertrow
expect grid
v1 integer . .
v2 integer . .
. . . E
v3 integer . .
v4 integer . .
end
click var_row 2
click var_row 4 shift
command cut
expect grid
v1 integer . .
v4 integer . .
. . . E
end
command undo
expect grid
v1 integer . .
v2 integer . S
v3 integer . S
v4 integer . .
. . . E
end
expect field entryRow 5
expect field lastAction 12
expect field changed 1
