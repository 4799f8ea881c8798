# Creating the grid measures the font and reads the layout's band heights
# (24 and 20 in the headless host), which place the drop line: the top edge
# of row p lies at 20 * (p - 1) + 24.
create standalone
expect field fontMetrics 16
expect field headerHeight 24
expect field detailHeight 20
expect field firstOpen 1
expect properties "dragline.visible=FALSE"
# The first editor's queued Open runs with the first step that pumps.
answer open new

library app.lib
store s_three "global type s_three from structure\r\n\tinteger\t\ta\r\n\tinteger\t\tb\r\n\tinteger\t\tc\r\nend type"
create standalone open=s_three
expect properties "dragline.visible=FALSE"
click var_row 3
press var_row 3
move var_row 1
expect properties "dragline.visible=FALSE" "dragline.y1=24" "dragline.y2=24" "dragline.visible=TRUE"
release var_row 1
expect properties "dragline.visible=FALSE"
expect grid
c integer . .
a integer . .
b integer . .
. . . E
end
