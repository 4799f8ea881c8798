# A name typed into the entry row takes the type and decimals of the row
# above; an abbreviated type there is written out in full first.
library app.lib
store s_three "global type s_three from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tdecimal {2}\t\tc\r\nend type"
create standalone open=s_three
cell 3 2
type "dec"
cell 4 1
type "d"
expect field entryRow 5
cell 5 1
expect grid
a integer . .
b integer . .
c decimal 2 .
d decimal 2 .
. . . E
end
