# quill-lib uses: every structure and object using a structure, and through
# which variables: what people ask before renaming or deleting it.
source "$(dirname "$0")/common.sh"
sample_library lib
mkdir more
srs more/s_path.srs "global type s_path" "s_point start" "s_line first" "s_point end"
srs more/w_other/s_mark.srs "type s_mark" "s_point at"
printf 'object\t30\tuserobject\tw_other\ts_mark\n' >more/quill-lib.manifest
"$QUILL_LIB" import more lib >/dev/null || fail "more could not be imported"

while IFS='|' read -r name expected; do
  expect 0 "$(printf '%b' "$expected")" "$QUILL_LIB" uses lib "$name"
done <<'TABLE'
s_point|s_line: a, b\ns_path: start, end\nw_other/s_mark: at
S_LINE|s_path: first\nw_main/s_loc: l
s_path|Nothing uses s_path.
w_main/s_loc|Nothing uses w_main/s_loc.
TABLE
expect_error 3 "The library lib has no structure or object named s_gone." "$QUILL_LIB" uses lib s_gone
expect_error 2 "NAME" "$QUILL_LIB" uses lib
finish
