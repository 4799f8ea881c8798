# An undo or redo that changes rows leaves the structure changed even when it
# was saved just before, so closing asks to save it.
library app.lib
store s_five "global type s_five from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\n\tinteger\t\tv4\r\n\tinteger\t\tv5\r\nend type"
create standalone open=s_five

# A move, saved, undone and redone.
click var_row 4
click var_row 5 shift
press var_row 4
move var_row 2
release var_row 2
command save
expect field changed 0
expect source s_five "global type s_five from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv4\r\n\tinteger\t\tv5\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\nend type"
command undo
expect field lastAction 20
expect field changed 1
command save
expect field changed 0
command undo
expect field lastAction 19
expect field changed 1
command save

# A row cut, saved, then restored and cut again.
click var_row 1
command cut
command save
expect field changed 0
command undo
expect field lastAction 12
expect field changed 1
command save
command undo
expect field lastAction 11
expect field changed 1
command save

# A row paste, saved, then removed and pasted again.
cell 2 1
command paste
expect field lastAction 15
command save
expect field changed 0
command undo
expect field lastAction 16
expect field changed 1
command save
command undo
expect field lastAction 15
expect field changed 1

# Closing now asks first.
answer message no
close
expect message 4003 "\napp.lib(s_five)"
expect closed
