# A 0-byte file is an empty library (one whose first write never began): the
# reading subcommands show nothing and leave it alone, import fills it.
source "$(dirname "$0")/common.sh"
sample_folder src
: >empty.lib
expect 0 "KIND             NAME MEMBERS  CHANGED              COMMENT" "$QUILL_LIB" list empty.lib
expect 0 "[]" "$QUILL_LIB" list --json empty.lib
expect_error 0 "All 0 structures compile." "$QUILL_LIB" check empty.lib
expect_error 3 "has no structure or object named s_point" "$QUILL_LIB" show empty.lib s_point
[ -s empty.lib ] && fail "reading empty.lib wrote to it"
expect 0 "Imported 4 structures into empty.lib." "$QUILL_LIB" import src empty.lib
expect 0 "s_line: a, b" "$QUILL_LIB" uses empty.lib s_point
# A first import leaves no file of its own beside the library.
expect 0 "Imported 4 structures into new.lib." "$QUILL_LIB" import src new.lib
[ "$(ls)" == "$(printf 'empty.lib\nnew.lib\nsrc\nstderr')" ] || fail "files left: $(ls | tr '\n' ' ')"
finish
