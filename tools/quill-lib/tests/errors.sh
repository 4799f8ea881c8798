# Libraries that cannot be used: every subcommand names the file and the
# reason, as the desktop program does, and writes nothing.
source "$(dirname "$0")/common.sh"
sample_library good.lib
echo "just some text, long enough to be more than a database header would need to hold......." >text.lib
sqlite3 other.db "CREATE TABLE t(x); INSERT INTO t VALUES(1);"
cp good.lib damaged.lib
# Garbage over the second page, where the first table's rows begin.
head -c 4096 /dev/urandom | dd of=damaged.lib bs=4096 seek=1 conv=notrunc status=none

while IFS='|' read -r file reason; do
  for command in "list $file" "show $file s_point" "check $file" "export $file out" "diff good.lib $file" \
                 "uses $file s_point" "graph $file"; do
    cp "$file" before 2>/dev/null
    expect_error 4 "$reason" "$QUILL_LIB" $command
    [ ! -e "$file" ] || cmp -s "$file" before || fail "$command changed $file"
  done
  [ -e out ] && fail "export of $file made its folder"
  [ "$file" == missing.lib ] && continue  # import makes a new library there
  cp "$file" before
  expect_error 4 "$reason" "$QUILL_LIB" import sample-src "$file"
  cmp -s "$file" before || fail "import changed $file"
done <<'TABLE'
missing.lib|The library missing.lib does not exist.
text.lib|text.lib is not a library file.
other.db|other.db is not a library file.
damaged.lib|damaged.lib is damaged
TABLE
expect_error 2 "" "$QUILL_LIB"
expect_error 2 "" "$QUILL_LIB" frobnicate good.lib
for command in list show check export import diff uses graph; do
  "$QUILL_LIB" $command --help | grep -q "^Usage:" || fail "$command --help"
done
finish
