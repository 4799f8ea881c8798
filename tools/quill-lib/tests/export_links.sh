# quill-lib export in a folder that carries links and foreign files, as a
# cloned repository may: nothing outside the folder is read, written or
# removed, a link where a file or folder must go is refused by name, and only
# the files the earlier manifest names are ever removed.
source "$(dirname "$0")/common.sh"
sample_library lib
# lib2 changes s_point and adds s_new, so that exporting it writes files.
cp lib lib2
srs change/s_point.srs "global type s_point" "integer x" "integer y" "integer z"
srs change/s_new.srs "global type s_new" "integer n"
"$QUILL_LIB" import change lib2 >/dev/null || fail "lib2 could not be built"

# The state of the export folder and of the folder outside it: names, types,
# link targets and contents.
state() { find out outside -printf '%p %y %l\n' | sort; find out outside -type f -exec md5sum {} + | sort; }

while IFS='|' read -r case plant status message; do
  rm -rf out outside
  "$QUILL_LIB" export lib out >/dev/null || fail "$case: the first export failed"
  mkdir -p outside/project
  echo "private" >outside/victim
  srs outside/project/s_y.srs "global type s_y" "integer n"
  eval "$plant"
  state >before
  if [ "$status" -eq 0 ]; then
    expect 0 "Exported 5 structures to out." "$QUILL_LIB" export lib2 out
    cmp -s <(grep '^outside' before) <(state | grep '^outside') || fail "$case: the folder outside changed"
    cmp -s out/s_point.srs change/s_point.srs || fail "$case: s_point.srs was not written"
  else
    expect_error "$status" "$message" "$QUILL_LIB" export lib2 out
    state | cmp -s before - || fail "$case: files changed: $(state | diff before -)"
  fi
done <<'TABLE'
link at an old temporary name|ln -s ../outside/victim out/s_point.srs.quill-lib-new|0|
link at a structure file|rm out/s_point.srs; ln -s ../outside/victim out/s_point.srs|4|out/s_point.srs is a link, which is not followed; nothing was written.
link at a new structure file|ln -s ../outside/victim out/s_new.srs|4|out/s_new.srs is a link, which is not followed; nothing was written.
link at an object folder|rm -r out/w_main; ln -s ../outside out/w_main|4|out/w_main is a link, which is not followed; nothing was written.
file at an object folder|rm -r out/w_main; echo x >out/w_main|4|out/w_main is not a folder; nothing was written.
folder at a structure file|rm out/s_new.srs 2>/dev/null; mkdir out/s_new.srs|4|out/s_new.srs is not a regular file; nothing was written.
link at the manifest|mv out/quill-lib.manifest outside/m; ln -s ../outside/m out/quill-lib.manifest|4|out/quill-lib.manifest is a link, which is not followed.
link at a stale file|printf 'global\ts_old\t\n' >>out/quill-lib.manifest; ln -s ../outside/victim out/s_old.srs|4|out/s_old.srs is a link, which is not followed; nothing was written.
the folder a link|mv out outside/real; ln -s outside/real out|4|out is a link, which is not followed; nothing was written.
a manifest naming a path outside|printf 'global\t../outside/victim\t\nglobal\t/etc/passwd\t\n' >>out/quill-lib.manifest|0|
foreign subfolders and a link to a project|ln -s ../outside/project out/other; srs out/archive/s_a.srs "global type s_a" "integer n"; srs out/notes/s_b.srs "global type s_b" "integer n"|0|
TABLE
[ -e out/archive/s_a.srs ] && [ -e out/notes/s_b.srs ] || fail "structure files of foreign subfolders were removed"
finish
