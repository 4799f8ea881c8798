# Open and New on a changed global structure: Yes saves under the current name
# before going on; New chosen in the open dialog runs the New command, which
# asks its own question while the structure is still changed.
library app.lib
store s_address "global type s_address from structure\r\n\tstring\t\tstreet\r\nend type"
store s_point "global type s_point from structure\r\n\tinteger\t\tx\r\nend type"
create standalone open=s_address

cell 1 1
type "road"
cell 2 1
answer message yes
answer open s_point
command open
expect message 4003 "\napp.lib(s_address)"
expect source s_address "global type s_address from structure\r\n\tstring\t\troad\r\nend type"
expect grid
x integer . .
. . . E
end
expect title "Structure - s_point"
expect field changed 0

cell 1 1
type "y"
cell 2 1
answer message no
answer open new
answer message no
command open
expect message 4003 "\napp.lib(s_point)"
expect grid
. . . E
end
expect field untitled 1
expect field changed 0
expect field structureName none
expect title "Structure - (Untitled)"
expect source s_point "global type s_point from structure\r\n\tinteger\t\tx\r\nend type"

# New on a changed named structure answered Yes: saved without a dialog, then emptied.
answer open s_point
command open
cell 1 1
type "z"
cell 2 1
answer message yes
command new
expect source s_point "global type s_point from structure\r\n\tinteger\t\tz\r\nend type"
expect rows 1
expect title "Structure - (Untitled)"
expect field untitled 1
