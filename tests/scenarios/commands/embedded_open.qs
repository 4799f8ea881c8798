# The embedded open offers the owner's local structures; New empties the grid.
library app.lib
object window w_main
store-local w_main s_line "type s_line from structure\r\n\tstring\t\ttext\r\n\tdecimal {2}\tamount\r\nend type"
create embedded w_main
answer open s_line
pump
expect field ownerKind 10
expect grid
text string . .
amount decimal 2 .
. . . E
end
expect title "Structure - s_line for w_main"
expect field libraryName none

answer open new
command open
expect grid
. . . E
end
expect current 1 1
expect field untitled 1
expect field structureName none
