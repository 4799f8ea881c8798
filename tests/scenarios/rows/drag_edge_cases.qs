# Rows move only where the user dropped them: a selection begun with Ctrl
# can be dragged upward, a drag released before it passed over a row moves
# nothing, and a repeated move the pool cannot make records nothing.
library app.lib
store s_six "global type s_six from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\n\tinteger\t\tv4\r\n\tinteger\t\tv5\r\n\tinteger\t\tv6\r\nend type"
create standalone open=s_six

# Rows 4 and 5 selected with Ctrl alone, dragged above themselves.
click var_row 4 ctrl
click var_row 5 ctrl
expect field selFirst 4
expect field selLast 5
press var_row 5
move var_row 2
release var_row 2
expect field lastAction 19
expect grid
v1 integer . .
v4 integer . .
v5 integer . .
v2 integer . .
v3 integer . .
v6 integer . .
. . . E
end

# Undo, then the pool refuses the snapshot of the repeated move: nothing
# moves and the move stays undone, so the next Undo tries the move again
# instead of deleting rows that were never moved.
command undo
expect field lastAction 20
pool full
command undo
expect field lastAction 20
command undo
expect field lastAction 20
expect grid
v1 integer . .
v2 integer . .
v3 integer . .
v4 integer . S
v5 integer . S
v6 integer . .
. . . E
end
menu edit
expect menu 1258 "&Redo\tCtrl+Z" enabled
pool free
command undo
expect field lastAction 19
expect grid
v1 integer . .
v4 integer . .
v5 integer . .
v2 integer . .
v3 integer . .
v6 integer . .
. . . E
end
command undo
expect field lastAction 20
expect rows 7

# A drag of a selected row released before passing over any row: the drop
# row of the last drag is no place to drop.
click var_row 1
expect field dropRow 2
press var_row 1
release
expect field dropRow 0
expect field lastAction 0
expect grid
v1 integer . S
v2 integer . .
v3 integer . .
v4 integer . .
v5 integer . .
v6 integer . .
. . . E
end

# The same for a drag that starts by moving off an unselected row.
press var_row 1
move var_row 5
release var_row 5
expect field dropRow 5
press var_row 3
move var_row 4
release
expect field dropRow 0
expect grid
v2 integer . .
v3 integer . .
v4 integer . S
v1 integer . .
v5 integer . .
v6 integer . .
. . . E
end
