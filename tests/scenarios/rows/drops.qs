# Dropping selected rows moves them as one block before the drop row; a drop
# on the only selected row puts it back; a release over no row before any
# drag has passed over a row moves nothing.
library app.lib
store s_five "global type s_five from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\n\tinteger\t\tv4\r\n\tinteger\t\tv5\r\nend type"
create standalone open=s_five

click var_row 2
press var_row 2
release
expect field dropRow 0
expect field lastAction 0
expect field changed 0
expect grid
v1 integer . .
v2 integer . S
v3 integer . .
v4 integer . .
v5 integer . .
. . . E
end

# The only selected row dropped onto itself: nothing changes but the undo record.
press var_row 2
release var_row 2
expect field lastAction 19
expect field changed 0
expect field dropRow 2
expect field moveCount 1
expect field undoRow 6
expect current 6 1
expect grid
v1 integer . .
v2 integer . .
v3 integer . .
v4 integer . .
v5 integer . .
. . . E
end

# Every release of a drag hides the drop line first.
expect properties "dragline.visible=FALSE" "dragline.visible=FALSE" "dragline.visible=FALSE"

# Rows 2 and 3 dragged onto the entry row come out after rows 4 and 5; the
# drop line follows the pointer to the top edge of each row passed over.
click var_row 2
click var_row 3 shift
press var_row 3
move var_row 5
expect properties "dragline.visible=FALSE" "dragline.y1=104" "dragline.y2=104" "dragline.visible=TRUE"
move var_row 6
expect properties "dragline.visible=FALSE" "dragline.y1=124" "dragline.y2=124" "dragline.visible=TRUE"
release var_row 6
expect field changed 1
expect field entryRow 6
expect grid
v1 integer . .
v4 integer . .
v5 integer . .
v2 integer . .
v3 integer . .
. . . E
end

# Released over no row: the drop goes to the last row passed over.
click var_row 1
press var_row 1
move var_row 3
release
expect field dropRow 3
expect grid
v4 integer . .
v1 integer . .
v5 integer . .
v2 integer . .
v3 integer . .
. . . E
end

# The entry row itself can be dragged; its marker goes along.
click var_row 6
press var_row 6
move var_row 2
release var_row 2
expect field entryRow 2
expect current 2 1
expect grid
v4 integer . .
. . . E
v1 integer . .
v5 integer . .
v2 integer . .
v3 integer . .
end
