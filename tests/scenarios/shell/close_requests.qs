# Closing tells the notify window once; a changed structure asks first, and a
# cancelled question keeps the editor open without telling anyone. The count
# of notices runs over the whole file.
library app.lib
store s_two "global type s_two from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\nend type"
create standalone open=s_two
notify
close
expect closed
expect notified 1

create standalone open=s_two
notify
cell 1 1
type "x"
cell 2 1
expect field changed 1
answer message cancel
close
expect open
expect notified 1
expect grid
x integer . .
b integer . .
. . . E
end

# Answered No: the editor closes without saving and tells once.
answer message no
endsession
expect closed
expect notified 2
