# quill-lib show: the stored source byte for byte; an object shows its local structures.
source "$(dirname "$0")/common.sh"
sample_library lib
srs more/w_two/s_b.srs "type s_b" "s_a inner"
srs more/w_two/s_a.srs "type s_a" "integer n"
printf 'object\t20\tmenu\tw_two\ts_a\ts_b\n' >more/quill-lib.manifest
"$QUILL_LIB" import more lib >/dev/null || fail "w_two could not be imported"

# NAME, the stored text (CR LF kept) and one line end for the terminal.
while read -r name file; do
  "$QUILL_LIB" show lib "$name" >shown || fail "show $name failed"
  cmp -s shown <(cat $file; echo) || fail "show $name: $(od -c shown | head -5)"
done <<'TABLE'
s_point sample-src/s_point.srs
S_POINT sample-src/s_point.srs
w_main sample-src/w_main/s_loc.srs
w_main/s_loc sample-src/w_main/s_loc.srs
w_two/S_B more/w_two/s_b.srs
TABLE
# Two local structures in their stored order with a blank line between.
"$QUILL_LIB" show lib w_two >shown
cmp -s shown <(cat more/w_two/s_a.srs; printf '\n\n'; cat more/w_two/s_b.srs; echo) || fail "show w_two: $(cat -A shown)"

expect_error 3 "The library lib has no structure or object named s_gone." "$QUILL_LIB" show lib s_gone
expect_error 3 "no structure or object named w_main/s_gone" "$QUILL_LIB" show lib w_main/s_gone
expect_error 2 "NAME" "$QUILL_LIB" show lib
finish
