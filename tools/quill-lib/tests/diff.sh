# quill-lib diff: structures added, removed or changed; for a changed one the
# variables added, removed, retyped or moved, in the grid's terms.
source "$(dirname "$0")/common.sh"
sample_library a.lib
sample_folder b
rm b/s_note.srs
srs b/s_new.srs "global type s_new" "integer n"
# s_line: b removed, width added, len retyped from 2 to 4 decimal positions, a moved below them.
srs b/s_line.srs "global type s_line" "decimal 4 len" "long width" "s_point a"
# s_point: only the spacing of its text differs.
printf 'global type s_point from structure\r\n\tinteger  x\r\n\tinteger\t\ty\r\nend type' >b/s_point.srs
# w_main/s_loc: shown retyped, an array suffix is part of the variable.
srs b/w_main/s_loc.srs "type s_loc" "s_line l" "integer shown" "string tags[10]"
"$QUILL_LIB" import b b.lib >/dev/null || fail "b could not be imported"

# Removed variables come first, then the newer version's rows from the top.

expect 1 "changed s_line
  removed variable b: s_point (row 2)
  retyped variable len: decimal {2} -> decimal {4}
  added variable width: long (row 2)
  moved variable a: row 1 -> row 3
added s_new
removed s_note
changed s_point (the text only, no variable)
changed w_main/s_loc
  retyped variable shown: boolean -> integer
  added variable tags[10]: string (row 3)" "$QUILL_LIB" diff a.lib b.lib

# Two rows swapped: the earlier row of the newer version keeps its place, the
# other one moved.
srs p/s_pair.srs "global type s_pair" "integer x" "integer y"
srs q/s_pair.srs "global type s_pair" "integer y" "integer x"
# A long structure whose first variable went to the end compares in linear memory.
long_structure() {
  printf 'global type s_long from structure\r\n'
  awk -v first="$1" -v last="$2" 'BEGIN { for (i = first; i <= last; i++) printf "\tinteger\t\tv%d\r\n", i }'
  [ "${3:-}" = moved ] && printf '\tinteger\t\tv1\r\n'
  printf 'end type'
}
long_structure 1 30000 >p/s_long.srs
long_structure 2 30000 moved >q/s_long.srs
"$QUILL_LIB" import p p.lib >/dev/null && "$QUILL_LIB" import q q.lib >/dev/null || fail "p and q not imported"
expect 1 "changed s_long
  moved variable v1: row 1 -> row 30000
changed s_pair
  moved variable x: row 1 -> row 2" "$QUILL_LIB" diff p.lib q.lib

# One structure, names ignoring case; the same library has no differences.
expect 1 "removed s_note" "$QUILL_LIB" diff a.lib b.lib S_NOTE
expect 0 "" "$QUILL_LIB" diff a.lib a.lib
expect 0 "" "$QUILL_LIB" diff a.lib a.lib s_line
expect_error 3 "Neither a.lib nor b.lib has a structure named s_zzz." "$QUILL_LIB" diff a.lib b.lib s_zzz
expect_error 4 "The library c.lib does not exist." "$QUILL_LIB" diff a.lib c.lib
finish
