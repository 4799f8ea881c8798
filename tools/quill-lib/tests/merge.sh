# quill-lib merge BASE OURS THEIRS: a change made on one side is taken, the
# same change on both sides once, different changes to one variable or
# structure are conflicts that leave OURS as it was.
source "$(dirname "$0")/common.sh"
sample_library base.lib

# side NAME SRS-ARGS...: the library NAME.lib, the base with the structure
# files written by srs calls in the folder NAME imported over it.
side() {
  cp base.lib "$1.lib"
  "$QUILL_LIB" import "$1" "$1.lib" >/dev/null || fail "$1 could not be imported"
}

# merged OURS THEIRS STATUS EXPECTED: merges a copy of OURS with THEIRS and
# checks the status and the conflicts printed; OURS itself is never changed.
merged() {
  cp "$1.lib" result.lib
  expect "$3" "$4" "$QUILL_LIB" merge base.lib result.lib "$2.lib"
  [ "$3" -eq 0 ] || cmp -s "$1.lib" result.lib || fail "a merge with conflicts changed OURS"
}

# One side moves a and adds label at the end, the other retypes len, adds
# width after it and changes another structure and a comment: all of it taken.
srs o/s_line.srs "global type s_line" "s_point b" "s_point a" "decimal 2 len" "string label"
side o
srs t/s_line.srs "global type s_line" "s_point a" "s_point b" "decimal 4 len" "long width"
srs t/s_note.srs "global type s_note" "string text" "date when"
printf 'global\ts_point\tWhere a line starts\n' >t/quill-lib.manifest
srs t/s_point.srs "global type s_point" "integer x" "integer y"
side t
merged o t 0 ""
expect 0 $'global type s_line from structure\r
\ts_point\t\tb\r
\ts_point\t\ta\r
\tdecimal {4}\tlen\r
\tlong\t\twidth\r
\tstring\t\tlabel\r
end type' "$QUILL_LIB" show result.lib s_line
expect 1 "changed s_line
  moved variable a: row 1 -> row 2
  retyped variable len: decimal {2} -> decimal {4}
  added variable width: long (row 4)
  added variable label: string (row 5)
changed s_note
  added variable when: date (row 2)" "$QUILL_LIB" diff base.lib result.lib
"$QUILL_LIB" list result.lib | grep -q "Where a line starts" || fail "theirs' comment was not taken"
# Merging the other way round holds the same structures.
cp t.lib reverse.lib
"$QUILL_LIB" merge base.lib reverse.lib o.lib || fail "the reverse merge failed"
# Only the order of two variables added at one place differs: each side's
# own comes after the other's.
expect 1 "changed s_line
  moved variable width: row 4 -> row 5" "$QUILL_LIB" diff result.lib reverse.lib

# The same change on both sides is taken once; spacing alone is no change.
srs same1/s_line.srs "global type s_line" "s_point a" "s_point b" "decimal 2 len" "integer n"
side same1
mkdir same2
printf 'global type s_line from structure\r\n\ts_point a\r\n\ts_point b\r\n\tdecimal {2} len\r\n\tinteger n\r\n\tstring extra\r\nend type' \
  >same2/s_line.srs
side same2
merged same1 same2 0 ""
expect 1 "changed s_line
  added variable n: integer (row 4)
  added variable extra: string (row 5)" "$QUILL_LIB" diff base.lib result.lib

# Conflicts: one variable changed differently, removed against retyped, moved
# against removed, a structure removed against changed, two comments.
srs c1/s_line.srs "global type s_line" "long b" "s_point a" "decimal 4 len"
srs c1/s_note.srs "global type s_note" "string text" "string more"
printf 'global\ts_point\tOurs\n' >c1/quill-lib.manifest
srs c1/s_point.srs "global type s_point" "integer x" "integer y"
side c1
# c2 lost s_note: a library made without it.
sample_folder c2
rm c2/s_note.srs
srs c2/s_line.srs "global type s_line" "decimal 3 len"
printf 'global\ts_point\tTheirs\nobject\t12\twindow\tw_main\ts_loc\n' >c2/quill-lib.manifest
"$QUILL_LIB" import c2 c2.lib >/dev/null || fail "c2 could not be built"
merged c1 c2 1 "s_line:b: ours long, theirs removed
s_line:a: ours moved to row 2, theirs removed
s_line:len: ours decimal {4}, theirs decimal {3}
s_note: ours changed it, theirs removed it
s_point: ours comment \"Ours\", theirs comment \"Theirs\""
grep -qF "5 conflicts; result.lib was left as it was." "$WORK/stderr" || fail "no summary of the conflicts: $(cat stderr)"

# --export writes the three versions of each conflicting structure, as
# folders that import takes back once mended.
cp c1.lib result.lib
"$QUILL_LIB" merge --export mend base.lib result.lib c2.lib >/dev/null 2>&1
for version in base ours theirs; do
  [ -f "mend/$version/s_line.srs" ] && [ -f "mend/$version/quill-lib.manifest" ] || fail "mend/$version is incomplete"
done
[ -f mend/theirs/s_note.srs ] && fail "theirs removed s_note, yet its file was written"
cmp -s mend/ours/s_line.srs c1/s_line.srs || fail "mend/ours/s_line.srs is not ours' text"
grep -qF "Theirs" mend/theirs/quill-lib.manifest || fail "theirs' comment is not in its manifest"
"$QUILL_LIB" import mend/theirs result.lib >/dev/null || fail "the theirs version could not be imported"
expect 0 "$(cat c2/s_line.srs)" "$QUILL_LIB" show result.lib s_line
# Folders left by an earlier conflict are not mixed into.
expect_error 4 "mend/base exists already" "$QUILL_LIB" merge --export mend base.lib c1.lib c2.lib

# A merge whose every side is clean but whose result does not compile: ours
# removed s_note, theirs starts to use it.
sample_folder nonote
rm nonote/s_note.srs
"$QUILL_LIB" import nonote nonote.lib >/dev/null
srs use/s_line.srs "global type s_line" "s_point a" "s_point b" "decimal 2 len" "s_note n"
side use
merged nonote use 1 "s_line:n: does not compile: Unknown type \"s_note\"."

# Local structures: one side adds one to w_main, the other changes s_loc.
srs l1/w_main/s_loc.srs "type s_loc" "s_line l" "boolean shown" "integer count"
srs l1/s_note.srs "global type s_note" "string text"
printf 'object\t12\twindow\tw_main\ts_loc\n' >l1/quill-lib.manifest
side l1
srs l2/w_main/s_extra.srs "type s_extra" "s_loc inner"
srs l2/w_menu/s_item.srs "type s_item" "string caption"
printf 'object\t12\twindow\tw_main\ts_extra\nobject\t30\tmenu\tw_menu\ts_item\n' >l2/quill-lib.manifest
side l2
merged l1 l2 0 ""
expect 1 "added w_main/s_extra
changed w_main/s_loc
  added variable count: integer (row 3)
added w_menu/s_item" "$QUILL_LIB" diff base.lib result.lib

# A library both branches added has an empty base: what both hold alike is
# no conflict.
: >empty.lib
cp o.lib result.lib
expect 1 "s_line:len: ours decimal {2}, theirs decimal {4}
s_point: ours comment \"A point on the grid\", theirs comment \"Where a line starts\"" "$QUILL_LIB" merge empty.lib result.lib t.lib
cp base.lib result.lib
expect 0 "" "$QUILL_LIB" merge empty.lib result.lib o.lib
expect_error 4 "" "$QUILL_LIB" merge base.lib not-there.lib t.lib
printf 'not a library' >text.lib
expect_error 4 "text.lib" "$QUILL_LIB" merge base.lib text.lib t.lib
finish
