# Resizing shares the width among the four columns from the font height
# (16 here): base widths 2h, 12h, 8h and 4h, extra width three quarters to
# the name and a quarter to the type, three pixels off all but the last.
create standalone
# The queued Open runs with the first step that pumps.
answer open new
expect properties "dragline.visible=FALSE"

size 600 400
expect properties "var_row.width=29" "var_name.width=327" "var_type.width=171" "var_dec.width=64"

# Narrower than the base widths: the base widths stand.
size 300 400
expect properties "var_row.width=29" "var_name.width=189" "var_type.width=125" "var_dec.width=64"

# Three pixels to spare: a quarter of 3 is 0, the name takes all three.
size 419 400
expect properties "var_row.width=29" "var_name.width=192" "var_type.width=125" "var_dec.width=64"

# A minimised window changes nothing at all.
size 0 0
expect properties
