# Open, New chosen in the open dialog, then Cancel on New's save question: the
# editor keeps its rows, its name and title, and stays changed, so that a later
# close still asks. Only a New that ran leaves it unchanged.
library app.lib
store s_one "global type s_one from structure\r\n\tlong\t\tx\r\nend type"
create standalone open=s_one
cell 2 1
type "y"
cell 3 1
expect field changed 1

# No to Open's question, New in the dialog, Cancel to New's question.
answer message no
answer open new
answer message cancel
command open
expect message 4003
expect open
expect field changed 1
expect field untitled 0
expect field structureName s_one
expect title "Structure - s_one"
expect grid
x long . .
y long . .
. . . E
end

answer message cancel
close
expect message 4003
expect open
expect field changed 1

# The same road answered No: New runs and the editor holds a new structure.
answer message no
answer open new
answer message no
command open
expect message 4003
expect field changed 0
expect field untitled 1
expect field structureName none
expect title "Structure - (Untitled)"
expect grid
. . . E
end
close
expect nomessage
expect closed
expect source s_one "global type s_one from structure\r\n\tlong\t\tx\r\nend type"
