# A short tour of the structure editor, driven without a screen.
# Run it with: quill-script --verbose samples/demo.qs

# The library file to work in; the save dialog offers it as the default.
library demo.lib
profile application DefLib "demo.lib"

# A stand-alone editor starts with the Open dialog; the answer is New.
answer open new
create standalone
pump
expect title "Structure - (Untitled)"

# Type two variables. Leaving a type cell expands "int" and "dec".
cell 1 var_name
type "qty"
cell 1 var_type
type "int"
cell 2 var_name
type "price"
cell 2 var_type
type "dec"
cell 2 var_dec
type "2"
cell 3 var_name
expect grid
qty integer . .
price decimal 2 .
. . . E
end

# Save: the save dialog names the structure, and the library file gets its
# source text.
answer save s_item comment="one item of an order"
command save
expect title "Structure - s_item"
expect field changed 0
expect source s_item "global type s_item from structure\r\n\tinteger\t\tqty\r\n\tdecimal {2}\tprice\r\nend type"
close
expect closed

# Open it again from the library and show what the editor holds.
create standalone open=s_item
expect title "Structure - s_item"
expect grid
qty integer . .
price decimal 2 .
. . . E
end
dump
