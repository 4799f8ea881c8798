# quill-lib list: globals and objects with member counts, comments and times.
source "$(dirname "$0")/common.sh"
sample_library lib

# A table for people: every global, then every object.
"$QUILL_LIB" list lib >table || fail "list failed"
[ "$(head -1 table | tr -s ' ')" == "KIND NAME MEMBERS CHANGED COMMENT" ] || fail "table header: $(head -1 table)"
grep -Eq '^global +s_line +3  [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9:]{8}  $' table || fail "s_line row: $(cat table)"
grep -Eq '^global +s_point +2  .{19}  A point on the grid$' table || fail "s_point row: $(cat table)"
grep -Eq '^object window +w_main +1  -' table || fail "w_main row: $(cat table)"

# JSON for scripts; --kind picks the rows.
while read -r kind names; do
  got=$("$QUILL_LIB" list lib --json --kind "$kind" | python3 -c 'import json,sys; print(" ".join(e["kind"]+":"+e["name"]+":"+str(e["members"]) for e in json.load(sys.stdin)))')
  [ "$got" == "$names" ] || fail "--kind $kind: $got"
done <<'TABLE'
global global:s_line:3 global:s_note:1 global:s_point:2
object object:w_main:1
all global:s_line:3 global:s_note:1 global:s_point:2 object:w_main:1
TABLE
comment=$("$QUILL_LIB" list lib --json | python3 -c 'import json,sys; e=[x for x in json.load(sys.stdin) if x["name"]=="s_point"][0]; print(e["comment"], e["modified"] is not None)')
[ "$comment" == "A point on the grid True" ] || fail "s_point in JSON: $comment"

mkdir empty && "$QUILL_LIB" import empty empty.lib >/dev/null || fail "an empty folder cannot be imported"
expect 0 "[]" "$QUILL_LIB" list --json empty.lib
expect_error 2 "--kind" "$QUILL_LIB" list lib --kind locals
expect_error 4 "The library nowhere.lib does not exist." "$QUILL_LIB" list nowhere.lib
finish
