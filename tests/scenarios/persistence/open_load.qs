# Members come back as rows: decimals from the flags, array suffixes on the name,
# one marked entry row after them with the current cell in it.
library app.lib
store s_order "global type s_order from structure\r\n\tlong\t\tid\r\n\tdecimal {2}\tprice\r\n\tDecimal {0}\tqty\r\n\tstring\t\tcodes[10]\r\nend type"
store s_empty "global type s_empty from structure\r\nend type"
create standalone open=s_order
expect grid
id long . .
price decimal 2 .
qty Decimal 0 .
codes[10] string . .
. . . E
end
expect current 5 1
expect field changed 0
expect field untitled 0
expect title "Structure - s_order"
expect cursor arrow
expect status 150

# A structure without members loads as its entry row alone.
answer open s_empty
command open
expect grid
. . . E
end
expect current 1 1
expect field firstOpen 0
expect title "Structure - s_empty"

# A name the library lacks is reported and closes the editor.
answer open nosuch
answer message ok
command open
expect message 4020 "nosuch"
expect closed
