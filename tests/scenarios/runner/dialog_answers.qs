# answer open NAME chooses NAME in the current library; library= names another.
library first.lib
store s_one "global type s_one from structure\r\n\tstring\t\tname\r\nend type"
library second.lib
store s_two "global type s_two from structure\r\n\tinteger\t\tcount\r\nend type"
answer open s_two
create standalone
pump
expect field libraryName "second.lib"
expect field structureName "s_two"
answer open s_one library=first.lib
command open
expect field libraryName "first.lib"
expect title "Structure - s_one"
expect grid
name string . .
. . . E
end

# answer save NAME keeps the library the dialog offers (here the profile's
# default); library= chooses another, comment= fills the comment.
profile application DefLib "second.lib"
answer open new
create standalone
pump
cell 1 var_name
type "a"
cell 2 var_name
answer save s_three comment="kept where the dialog offered"
command save
expect field libraryName "second.lib"
expect entry s_three
answer save s_four library=first.lib
command saveas
expect field libraryName "first.lib"
expect field structureName "s_four"
library first.lib
expect entry s_four
expect noentry s_three

# The open dialog returns a name the library lacks; the load reports it and
# the editor closes.
answer open s_none
answer message ok
command open
expect message 4020 "s_none"
expect closed
