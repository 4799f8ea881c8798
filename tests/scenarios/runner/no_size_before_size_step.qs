# The headless host sends no WM_SIZE of its own: the only property set before
# the first size step is the one the grid's creation makes.
answer open new
create standalone
pump
expect properties "dragline.visible=FALSE"
expect properties

# A size step gives the editor exactly that client size.
size 600 400
expect properties "var_row.width=29" "var_name.width=327" "var_type.width=171" "var_dec.width=64"
size 0 400
expect properties
