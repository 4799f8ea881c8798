# When another program holds the clipboard, the rows' text reaches no
# clipboard, yet Cut, Clear and Delete Row still delete the rows and Copy
# still unselects them. Nothing the other program put there is lost.
library app.lib
store s_four "global type s_four from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\n\tinteger\t\td\r\nend type"
create standalone open=s_four
clipboard "held"
clipboard busy

click var_row 1
command copy
expect field lastAction 13
expect field cutRowList "1"
expect grid
a integer . .
b integer . .
c integer . .
d integer . .
. . . E
end

click var_row 1
command cut
expect field lastAction 11
expect field changed 1
expect field entryRow 4
expect grid
b integer . .
c integer . .
d integer . .
. . . E
end

click var_row 2
command clear
expect field lastAction 17
expect field entryRow 3

cell 1 1
command deleterow
expect field lastAction 17
expect field cutRowList "1"
expect grid
d integer . .
. . . E
end

clipboard free
expect clipboard "held"

# The undo of the clear finds text that is no row text: nothing comes back.
command undo
expect field lastAction 17
expect rows 2
