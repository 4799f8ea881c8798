# A font 13 pixels high: base widths 26, 156, 104 and 52.
font 13
create standalone
# The queued Open runs with the first step that pumps.
answer open new
expect properties "dragline.visible=FALSE"
size 200 300
expect properties "var_row.width=23" "var_name.width=153" "var_type.width=101" "var_dec.width=52"
