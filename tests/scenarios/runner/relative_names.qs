# File names reach the host as written; relative ones resolve in the
# scenario's directory (a scratch copy of it, so nothing is left behind).
library scratch.lib
store s_point "global type s_point from structure\r\n\tinteger\t\tx\r\n\tinteger\t\ty\r\nend type"
expect entry s_point
expect noentry s_missing
expect source s_point "global type s_point from structure\r\n\tinteger\t\tx\r\n\tinteger\t\ty\r\nend type"

create standalone open=s_point
expect nomessage
expect field libraryName "scratch.lib"
expect field structureName "s_point"
expect title "Structure - s_point"
expect grid
x integer . .
y integer . .
. . . E
end
