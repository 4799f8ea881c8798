# quill-lib export: NAME.srs a global, OBJECT/NAME.srs a local structure, a
# manifest with the comments; stable files, so a library diffs well in git.
source "$(dirname "$0")/common.sh"
sample_library lib

expect 0 "Exported 4 structures to out." "$QUILL_LIB" export lib out
# The files hold the sources byte for byte, CR LF included.
while read -r file; do
  cmp -s "out/$file" "sample-src/$file" || fail "out/$file differs from what was imported"
done <<'TABLE'
s_point.srs
s_line.srs
s_note.srs
w_main/s_loc.srs
TABLE
grep -qP '^global\ts_point\tA point on the grid$' out/quill-lib.manifest || fail "manifest: $(cat out/quill-lib.manifest)"
grep -qP '^object\t12\twindow\tw_main\ts_loc$' out/quill-lib.manifest || fail "manifest: $(cat out/quill-lib.manifest)"
grep -q 'srs -text' out/.gitattributes || fail "line ends are not protected from git"

# Exporting again changes nothing, not even a file's time.
find out -type f -printf '%P %T@ %s\n' | sort >before
sleep 1.1
"$QUILL_LIB" export lib out >/dev/null
find out -type f -printf '%P %T@ %s\n' | sort >after
cmp -s before after || fail "a second export changed files: $(diff before after)"

# A structure the library no longer holds loses its file: the earlier
# manifest names it. Files no export wrote stay, .srs or not, in any subfolder.
echo "notes" >out/README
srs out/s_old.srs "global type s_old" "integer n"
srs out/w_gone/s_x.srs "type s_x" "integer n"
printf 'global\ts_old\t\nobject\t99\twindow\tw_gone\ts_x\n' >>out/quill-lib.manifest
srs out/s_mine.srs "global type s_mine" "integer n"
srs out/archive/s_point.srs "global type s_point" "integer old"
srs out/w_main/s_draft.srs "type s_draft" "integer n"
"$QUILL_LIB" export lib out >/dev/null
[ -e out/s_old.srs ] && fail "a stale structure file was kept"
[ -e out/w_gone ] && fail "a stale object folder was kept"
for kept in README s_mine.srs archive/s_point.srs w_main/s_draft.srs; do
  [ -e "out/$kept" ] || fail "$kept, which no export wrote, was removed"
done
ls -a out | grep -q quill-lib- && fail "temporary files were left: $(ls -a out)"

# A comment with TAB, line end and backslash stays on its one manifest line.
mkdir c
srs c/s_c.srs "global type s_c" "integer n"
printf 'global\ts_c\tone\\ttwo\\nthree\\\\\n' >c/quill-lib.manifest
"$QUILL_LIB" import c lib >/dev/null || fail "c could not be imported"
"$QUILL_LIB" export lib out >/dev/null
grep -qF "$(printf 'global\ts_c\tone\\ttwo\\nthree\\\\')" out/quill-lib.manifest || fail "escaped comment: $(cat -A out/quill-lib.manifest)"
comment=$("$QUILL_LIB" list lib --json | python3 -c 'import json,sys; print(repr([e["comment"] for e in json.load(sys.stdin) if e["name"]=="s_c"][0]))')
[ "$comment" == "'one\\ttwo\\nthree\\\\'" ] || fail "stored comment: $comment"

expect_error 4 "The library missing.lib does not exist." "$QUILL_LIB" export missing.lib out2
[ -e out2 ] && fail "a failed export made its folder"
finish
