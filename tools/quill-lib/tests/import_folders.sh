# quill-lib import refuses what it cannot or must not read: a folder it cannot
# list, links, files that are no regular files, huge files, comments longer
# than a save takes, structure files named in capitals. Nothing is written.
source "$(dirname "$0")/common.sh"
sample_library lib
if [ "$(id -u)" -eq 0 ]; then as_user="setpriv --reuid=65534 --regid=65534 --clear-groups"; else as_user=""; fi
mkdir -m 777 drop  # where the refused imports would make their library
long=$(printf 'c%.0s' $(seq 300))

while IFS='|' read -r case plant status message; do
  rm -rf src
  sample_folder src
  eval "$plant"
  cp lib before.lib
  expect_error "$status" "$message" timeout 20 $as_user "$QUILL_LIB" import src lib
  cmp -s lib before.lib || fail "$case: the library changed"
  expect_error "$status" "$message" timeout 20 $as_user "$QUILL_LIB" import src drop/new.lib
  [ -e drop/new.lib ] && fail "$case: a library was made" && rm drop/new.lib
  grep -q "root:" stderr && fail "$case: the contents of a foreign file were shown"
  chmod -R u+rwx src
done <<'TABLE'
a folder it cannot list|chmod 0311 src|4|src cannot be read: permission denied.
an object folder it cannot list|chmod 0311 src/w_main|4|src/w_main cannot be read: permission denied.
a structure file it cannot read|chmod 0200 src/s_note.srs|1|src/s_note.srs: cannot be read: permission denied.
a link to a file elsewhere|ln -s /etc/passwd src/s_pw.srs|1|src/s_pw.srs: is a link, which is not followed.
a link where an object folder goes|mv src/w_main w_elsewhere; ln -s ../w_elsewhere src/w_main|1|src/w_main/: is a link, which is not followed.
a link at the manifest|mv src/quill-lib.manifest m; ln -s ../m src/quill-lib.manifest|4|src/quill-lib.manifest is a link, which is not followed.
a pipe|mkfifo src/s_pipe.srs|1|src/s_pipe.srs: is not a regular file.
a folder named like a structure file|mkdir src/s_dir.srs|1|src/s_dir.srs: is not a regular file.
a file over 64 MiB|truncate -s 65M src/s_huge.srs|1|src/s_huge.srs: is larger than 64 MiB.
a comment over 254 bytes|printf 'global\ts_note\t%s\n' "$long" >>src/quill-lib.manifest|1|src/quill-lib.manifest: the comment of s_note is 300 bytes long; a comment holds at most 254.
a name in capitals|mv src/s_note.srs src/s_note.SRS|1|src/s_note.SRS: a structure file's name ends in ".srs" in small letters.
TABLE
rm -rf w_elsewhere m src

# 254 bytes is the longest comment, and it is kept whole.
sample_folder src
printf 'global\ts_note\t%s\n' "${long:0:254}" >>src/quill-lib.manifest
"$QUILL_LIB" import src lib >/dev/null || fail "a 254-byte comment was refused"
size=$("$QUILL_LIB" list lib --json | python3 -c 'import json,sys; print([len(e["comment"]) for e in json.load(sys.stdin) if e["name"]=="s_note"][0])')
[ "$size" -eq 254 ] || fail "the 254-byte comment was stored with $size bytes"
finish
