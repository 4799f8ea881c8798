# Names and structure types may hold - $ # and %: rows holding them leave
# through the row text and come back exactly (Cut, Clear and Delete Row with
# their Undo, Copy then Paste into another editor), and the saves keep them.
library app.lib
store s-x$#% "global type s-x$#% from structure\r\n\tinteger\t\tn\r\nend type"
store s_names "global type s_names from structure\r\n\tstring\t\ta-b\r\n\ts-x$#%\t\tc$d#e%f\r\n\tdecimal {2}\tg-[3]\r\n\tlong\t\th%\r\nend type"
store s_other "global type s_other from structure\r\n\tlong\t\tz\r\nend type"
create standalone open=s_names
click var_row 1
click var_row 4 shift

command cut
expect grid
. . . E
end
command undo
expect grid
a-b string . S
c$d#e%f s-x$#% . S
g-[3] decimal 2 S
h% long . S
. . . E
end

command clear
expect rows 1
command undo
expect grid
a-b string . S
c$d#e%f s-x$#% . S
g-[3] decimal 2 S
h% long . S
. . . E
end

command deleterow
expect rows 1
command undo
expect grid
a-b string . S
c$d#e%f s-x$#% . S
g-[3] decimal 2 S
h% long . S
. . . E
end
command save
expect nomessage
expect source s_names "global type s_names from structure\r\n\tstring\t\ta-b\r\n\ts-x$#%\t\tc$d#e%f\r\n\tdecimal {2}\tg-[3]\r\n\tlong\t\th%\r\nend type"

command copy
expect clipboard "\tstring\t\ta-b\r\n\ts-x$#%\t\tc$d#e%f\r\n\tdecimal {2}\tg-[3]\r\n\tlong\t\th%\r\n"
create standalone open=s_other
command paste
expect grid
z long . .
a-b string . .
c$d#e%f s-x$#% . .
g-[3] decimal 2 .
h% long . .
. . . E
end
command save
expect nomessage
expect source s_other "global type s_other from structure\r\n\tlong\t\tz\r\n\tstring\t\ta-b\r\n\ts-x$#%\t\tc$d#e%f\r\n\tdecimal {2}\tg-[3]\r\n\tlong\t\th%\r\nend type"
