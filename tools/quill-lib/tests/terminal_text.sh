# Names and comments holding control characters, as a hostile library may:
# list, check, diff, uses and graph show them escaped ("\x1b"), never raw;
# show and export keep every byte.
source "$(dirname "$0")/common.sh"
sample_library lib
cp lib plain.lib
esc=$(printf '\033')
sqlite3 lib "
  INSERT INTO entries(name, source, comment, modified) VALUES ('s_e' || char(27) || '[31m',
    'global type s_e from structure' || char(13,10,9) || 's_' || char(27) || '[2J' || char(9,9) || 'q' || char(13,10) ||
    'end type', 'red' || char(27) || ']0;title' || char(7), '2026-01-01 00:00:00');
  INSERT INTO objects(id, kind, name) VALUES (13, 'window', 'w_' || char(27) || '[5m');
  INSERT INTO local_types(object_id, name, source)
    VALUES (13, 's_l', 'type s_l from structure' || char(13,10,9) || 's_point' || char(9,9) || 'p' || char(13,10) || 'end type');"

while IFS='|' read -r command shown; do
  out=$($QUILL_LIB $command 2>&1)
  grep -qP '[\x00-\x08\x0b-\x1f\x7f]' <<<"$out" && fail "$command: raw control characters: $(cat -A <<<"$out")"
  grep -qF -- "$shown" <<<"$out" || fail "$command: \"$shown\" is not in: $out"
done <<'TABLE'
list lib|s_e\x1b[31m
list lib|red\x1b]0;title\x07
list lib|object window    w_\x1b[5m
check lib|lib:s_e\x1b[31m:2: q: Unknown type "s_\x1b[2J".
diff plain.lib lib|added s_e\x1b[31m
uses lib s_point|w_\x1b[5m/s_l: p
graph lib|label="w_\\x1b[5m"
TABLE

# Messages too, with a name from the command line.
expect_error 3 'named nowhere\x1b.' "$QUILL_LIB" show lib "nowhere$esc"

# The stored bytes, unchanged, where the output is the text itself.
$QUILL_LIB show lib "s_e${esc}[31m" | head -c -1 | cmp -s - <(sqlite3 lib "SELECT source FROM entries WHERE name LIKE 's_e%'" | head -c -1) ||
  fail "show changed the stored bytes"
sqlite3 plain.lib "UPDATE entries SET source = source || char(27) || '[0m', comment = 'c' || char(27) WHERE name = 's_note'"
"$QUILL_LIB" export plain.lib out >/dev/null || fail "export failed"
cmp -s out/s_note.srs <(sqlite3 plain.lib "SELECT source FROM entries WHERE name = 's_note'" | head -c -1) ||
  fail "export changed the stored bytes"
grep -qP '^global\ts_note\tc\\x1B$' out/quill-lib.manifest || fail "manifest: $(cat -A out/quill-lib.manifest)"
finish
