# In an embedded editor the entry has no library; its name is still the
# structure's name with ".srs".
library app.lib
object window w_main
store-local w_main s_local "type s_local from structure\r\n\tinteger\t\tn\r\nend type"
create embedded w_main
answer open s_local
pump
expect field structureName s_local
expect field libraryName none
command print
expect printed - s_local.srs 1
expect cursor arrow
expect printed-text "type s_local from structure\r\n\tinteger\t\tn\r\nend type"
expect field libraryName none
expect field structureName s_local
