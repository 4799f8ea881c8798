# A plain press on an unselected row selects it and arms a drag that starts
# only when the pointer reaches another row; the drop line waits for the next
# move. A press on a data cell arms nothing.
library app.lib
store s_four "global type s_four from structure\r\n\tinteger\t\tv1\r\n\tinteger\t\tv2\r\n\tinteger\t\tv3\r\n\tinteger\t\tv4\r\nend type"
create standalone open=s_four
cell 2 1
expect properties "dragline.visible=FALSE"

# The press makes the entry row's name cell current, caret at its start.
press var_row 2
expect field dragState 1
expect field pressRow 2
expect field anchorRow 2
expect field selFirst 2
expect field selLast 2
expect current 5 1
expect edit "" 0 0
move var_row 2
expect field dragState 1
move var_row 3
expect field dragState 2
expect properties
move var_row 4
expect properties "dragline.visible=FALSE" "dragline.y1=84" "dragline.y2=84" "dragline.visible=TRUE"
# Over the same row again: no new line.
move var_row 4
expect properties
release var_row 4
expect field dragState 0
expect field dropRow 4
expect field lastAction 19
expect grid
v1 integer . .
v3 integer . .
v2 integer . .
v4 integer . .
. . . E
end

# A press on a data cell clears the selection; moving then starts no drag.
click var_row 1
press var_name 3
expect field dragState 1
expect field pressRow 0
expect field anchorRow 0
move var_name 1
expect field dragState 1
release var_name 1
expect field dragState 0
expect field lastAction 0
expect grid
v1 integer . .
v3 integer . .
v2 integer . .
v4 integer . .
. . . E
end

# A press over no row changes nothing.
click var_row 2
press var_row 9
expect field pressRow 2
expect field anchorRow 2
expect field dragState 0
release
expect grid
v1 integer . .
v3 integer . S
v2 integer . .
v4 integer . .
. . . E
end
