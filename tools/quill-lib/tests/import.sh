# quill-lib import: compiled in dependency order and written in one
# transaction; the round trip through export keeps every source byte for byte;
# a failed import leaves the library byte-identical.
source "$(dirname "$0")/common.sh"
sample_library lib

# Round trip: export, import into a new library, export again.
"$QUILL_LIB" export lib out >/dev/null
expect 0 "Imported 4 structures into copy.lib." "$QUILL_LIB" import out copy.lib
"$QUILL_LIB" export copy.lib out2 >/dev/null
diff -r out out2 >/dev/null || fail "the round trip changed files: $(diff -r out out2)"
for name in s_line s_note s_point w_main; do
  cmp -s <("$QUILL_LIB" show lib $name) <("$QUILL_LIB" show copy.lib $name) || fail "$name differs after the round trip"
done
expect 0 "" "$QUILL_LIB" diff lib copy.lib

# A structure file changed in the folder replaces the stored one; the others stay.
srs out/s_point.srs "global type s_point" "integer x" "integer y" "integer z"
"$QUILL_LIB" import out copy.lib >/dev/null || fail "the changed folder could not be imported"
cmp -s <("$QUILL_LIB" show copy.lib s_point) <(cat out/s_point.srs; echo) || fail "s_point was not replaced"

# Failures: the message, and the library exactly as it was.
mkdir -p bad/cycle bad/unknown bad/name bad/owner bad/manifest bad/case
srs bad/cycle/s_a.srs "global type s_a" "s_b b"
srs bad/cycle/s_b.srs "global type s_b" "s_a a"
srs bad/unknown/s_point.srs "global type s_point" "s_gone g"
srs bad/unknown/s_fine.srs "global type s_fine" "integer n"
srs "bad/name/two words.srs" "global type two" "integer n"
srs bad/owner/w_nobody/s_x.srs "type s_x" "integer n"
srs bad/case/s_same.srs "global type s_same" "integer n"
srs bad/case/S_SAME.srs "global type S_SAME" "integer n"
while IFS='|' read -r folder message; do
  cp lib before.lib
  expect_error 1 "$message" "$QUILL_LIB" import "bad/$folder" lib
  grep -qF "Nothing was written to lib." stderr || fail "$folder: no word that nothing was written"
  cmp -s lib before.lib || fail "a failed import of $folder changed the library"
done <<'TABLE'
cycle|bad/cycle/s_a.srs:2: b: A structure cannot contain itself: s_a > s_b > s_a.
unknown|bad/unknown/s_point.srs:2: g: Unknown type "s_gone".
name|bad/name/two words.srs: "two words" is not a valid structure name.
owner|bad/owner/w_nobody/: the manifest names no owning object w_nobody.
case|: another file names the same structure in other letter case.
TABLE
for line in 'global s_point no tabs' 'object\t5\tspaceship\tw_ship' 'object\tfive\twindow\tw_five' 'global\ts_x\tbad \\q escape'; do
  printf "$line\n" >bad/manifest/quill-lib.manifest
  cp lib before.lib
  expect_error 4 "bad/manifest/quill-lib.manifest:1: expected" "$QUILL_LIB" import bad/manifest lib
  cmp -s lib before.lib || fail "a bad manifest changed the library"
done
expect_error 1 "Nothing was written to new.lib." "$QUILL_LIB" import bad/cycle new.lib
[ -e new.lib ] && fail "a failed import left a new library behind"

# A structure may use one the library already holds, in any file order.
mkdir uses
srs uses/s_a_first.srs "global type s_a_first" "s_z_last z" "s_note note"
srs uses/s_z_last.srs "global type s_z_last" "integer n"
"$QUILL_LIB" import uses lib >/dev/null || fail "structures using each other could not be imported"
expect 0 "" "$QUILL_LIB" check lib

# A library another program is writing (its transaction open, never committed),
# and one this user may not write.
cp lib before.lib
(echo "BEGIN IMMEDIATE; DELETE FROM entries;"; sleep 7) | sqlite3 lib >/dev/null &
sleep 0.5
expect_error 4 "The library lib is in use by another program; nothing was written." "$QUILL_LIB" import uses lib
wait
cmp -s lib before.lib || fail "a locked library changed"
if [ "$(id -u)" -eq 0 ]; then as_user="setpriv --reuid=65534 --regid=65534 --clear-groups"; else as_user=""; fi
chmod 444 lib
$as_user "$QUILL_LIB" import uses lib >/dev/null 2>stderr && fail "a read-only library was written"
grep -qF "The library lib is read-only; nothing was written." stderr || fail "read-only: $(cat stderr)"
cmp -s lib before.lib || fail "a read-only library changed"
chmod 644 lib

expect_error 4 "The folder nowhere does not exist." "$QUILL_LIB" import nowhere lib
finish
