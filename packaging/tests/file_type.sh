# A file manager recognises a library by its content: an SQLite header with the
# library's application id, whatever the file is called; other SQLite files and
# other *.lib files are not libraries.
source "$(dirname "$0")/common.sh"
[ "$DESKTOP" = ON ] || skip "the desktop program is not built"
needs update-mime-database sqlite3
share=$(installed_tree)/usr/share

# The system's database as the package's trigger rebuilds it: every type of
# the system and ours, in one database.
mkdir -p "$scratch/data/mime/packages" "$scratch/home" "$scratch/files"
cp /usr/share/mime/packages/*.xml "$share/mime/packages/quillmaker.xml" "$scratch/data/mime/packages/"
PKGSYSTEM_ENABLE_FSYNC=0 update-mime-database "$scratch/data/mime" || fail "update-mime-database refused the file type"

cp "$share/quillmaker/sample.lib" "$scratch/files/sample.lib"
cp "$share/quillmaker/sample.lib" "$scratch/files/structures"
sqlite3 "$scratch/files/other.lib" "CREATE TABLE t(x); PRAGMA application_id=1;"
sqlite3 "$scratch/files/plain.sqlite3" "CREATE TABLE t(x);"
printf 'not a library\n' >"$scratch/files/notes.lib"

HOME="$scratch/home" XDG_DATA_HOME="$scratch/home" XDG_DATA_DIRS="$scratch/data" \
  "$MIME_TYPE" "$scratch"/files/{sample.lib,structures,other.lib,plain.sqlite3,notes.lib} >"$scratch/types"
expected="application/x-quillmaker-library
application/x-quillmaker-library
application/vnd.sqlite3
application/vnd.sqlite3
text/plain"
[ "$(cat "$scratch/types")" = "$expected" ] ||
  fail "the file types were:
$(paste "$scratch/types" <(printf '%s\n' sample.lib structures other.lib plain.sqlite3 notes.lib))"
finish
