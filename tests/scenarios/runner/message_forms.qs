# expect message by string id with or without its argument, by whole text, and
# a quoted id; the Print question comes through MessageBoxA and checks alike.
library app.lib
answer message ok
create standalone open=s_gone
expect message 4020
answer message ok
create standalone open=s_gone
expect message 4020 "s_gone"
answer message ok
create standalone open=s_gone
expect message "Error loading structure s_gone."
answer message ok
create standalone open=s_gone
expect message "4020"
expect nomessage

store s_one "global type s_one from structure\r\n\tinteger\t\ta\r\nend type"
create standalone open=s_one
cell 1 1
type "b"
answer message cancel
command print
expect message 4339
expect noprint
