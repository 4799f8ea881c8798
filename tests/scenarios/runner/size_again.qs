# Every size step gives the editor a WM_SIZE, even at the size it already has.
create standalone
answer open new
pump
expect properties "dragline.visible=FALSE"
size 600 400
expect properties "var_row.width=29" "var_name.width=327" "var_type.width=171" "var_dec.width=64"
size 600 400
expect properties "var_row.width=29" "var_name.width=327" "var_type.width=171" "var_dec.width=64"
size 0 0
expect properties
size 0 0
expect properties
