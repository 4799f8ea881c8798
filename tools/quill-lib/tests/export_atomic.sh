# quill-lib export is all or nothing: a failure part-way (a full disk, a file
# it may not write, a library in use) leaves the folder exactly as it was,
# stale files and all, and says why.
source "$(dirname "$0")/common.sh"
sample_library lib
# lib2 changes a global and a local structure and adds a large one, so that
# exporting it replaces, creates and (through the manifest) removes files.
cp lib lib2
big=()
for i in $(seq 400); do big+=("integer member_number_$i"); done
srs change/s_point.srs "global type s_point" "integer x" "integer y" "integer z"
srs change/s_wide.srs "global type s_wide" "${big[@]}"
srs change/w_main/s_loc.srs "type s_loc" "s_line l" "boolean shown" "integer more"
printf 'object\t12\twindow\tw_main\ts_loc\n' >change/quill-lib.manifest
"$QUILL_LIB" import change lib2 >/dev/null || fail "lib2 could not be built"

if [ "$(id -u)" -eq 0 ]; then as_user="setpriv --reuid=65534 --regid=65534 --clear-groups"; else as_user=""; fi
# Names, types, modes, file times and contents (a folder's own time changes when a temporary file comes and goes).
state() { find out -printf "%p %y %m\n" | sort; find out -type f -printf "%p %T@\n" | sort; find out -type f -exec md5sum {} + | sort; }

# The ways to run the export, one a fault.
plain() { $as_user "$QUILL_LIB" export lib2 out; }
disk_full() { (ulimit -f 8; exec "$QUILL_LIB" export lib2 out); }
library_in_use() {
  (echo "BEGIN EXCLUSIVE; SELECT count(*) FROM entries;"; sleep 7) | sqlite3 lib2 >/dev/null &
  sleep 0.5
  "$QUILL_LIB" export lib2 out
  local rc=$?
  wait
  return $rc
}

# The last case needs a second user: in a sticky folder only a file's owner may
# replace it, so every rename succeeds but the manifest's, and all are put back.
while IFS='|' read -r case prepare run message; do
  rm -rf out
  "$QUILL_LIB" export lib out >/dev/null || fail "$case: the first export failed"
  srs out/s_old.srs "global type s_old" "integer n"
  printf 'global\ts_old\t\n' >>out/quill-lib.manifest
  [ -n "$as_user" ] && chown -R 65534 out
  eval "$prepare"
  state >before
  expect_error 4 "$message" $run
  state | cmp -s before - || fail "$case: the folder changed: $(state | diff before -)"
  chmod -R u+w out
done <<'TABLE'
a full disk|:|disk_full|The disk holding out/s_wide.srs is full; nothing was written.
an object folder it may not write|chmod 555 out/w_main|plain|out/w_main/s_loc.srs cannot be written: permission denied; nothing was written.
a folder it may not write|chmod 555 out|plain|cannot be written: permission denied; nothing was written.
a library in use|:|library_in_use|in use
the manifest, last, it may not replace|if [ -z "$as_user" ]; then continue; fi; chown 0 out out/quill-lib.manifest; chmod 1777 out|plain|out/quill-lib.manifest cannot be written: operation not permitted; nothing was written.
TABLE

# The same export, unhindered, replaces, creates and removes.
"$QUILL_LIB" export lib2 out >/dev/null || fail "the export failed unhindered"
[ -e out/s_old.srs ] && fail "s_old.srs, stale, was kept"
cmp -s out/s_wide.srs change/s_wide.srs && cmp -s out/w_main/s_loc.srs change/w_main/s_loc.srs || fail "files were not written"
finish
