# quill-lib check: every structure compiled as a save would, each error as
# LIBRARY:NAME:LINE: message, exit status 1 when any fails.
source "$(dirname "$0")/common.sh"
sample_library good.lib
expect 0 "" "$QUILL_LIB" check good.lib

# The tool never stores a structure that does not compile, so the broken
# library stands for one written by another program: its sources are changed
# in the file directly.
sample_library bad.lib
mkdir more
srs more/s_cycle_a.srs "global type s_cycle_a" "integer n"
srs more/s_cycle_b.srs "global type s_cycle_b" "s_cycle_a a"
"$QUILL_LIB" import more bad.lib >/dev/null || fail "more could not be imported"
store() { sqlite3 bad.lib "UPDATE $1 SET source=CAST(x'$(od -An -tx1 -v "$3" | tr -d ' \n')' AS TEXT) WHERE name='$2'"; }
srs broken.srs "global type s_cycle_a" "integer n" "s_cycle_b back"
store entries s_cycle_a broken.srs
srs broken.srs "global type s_point" "integer x" "decimal 20 y" "s_gone z"
store entries s_point broken.srs
srs broken.srs "type s_other" "s_line l"
store local_types s_loc broken.srs

expect 1 "bad.lib:s_cycle_a:3: back: A structure cannot contain itself: s_cycle_a > s_cycle_b > s_cycle_a.
bad.lib:s_cycle_b:2: a: A structure cannot contain itself: s_cycle_b > s_cycle_a > s_cycle_b.
bad.lib:s_point:3: y: Decimal positions must be between 0 and 18.
bad.lib:s_point:4: z: Unknown type \"s_gone\".
bad.lib:w_main/s_loc:1: The first line must name the structure s_loc." "$QUILL_LIB" check bad.lib
grep -qF "4 of 6 structures do not compile." stderr || fail "no summary: $(cat stderr)"

# A local structure finds the owner's local structures before the global ones.
mkdir shadow
srs shadow/w_main/s_line.srs "type s_line" "string caption"
srs shadow/w_main/s_loc.srs "type s_loc" "s_line l"
printf 'object\t12\twindow\tw_main\ts_loc\ts_line\n' >shadow/quill-lib.manifest
"$QUILL_LIB" import shadow good.lib >/dev/null || fail "shadow could not be imported"
expect 0 "" "$QUILL_LIB" check good.lib
expect 0 "w_main/s_loc: l" "$QUILL_LIB" uses good.lib w_main/s_line

# A library written before the schema refused nameless structures may hold some.
cp good.lib old.lib
sqlite3 old.lib "PRAGMA writable_schema=ON;
  UPDATE sqlite_schema SET sql=replace(sql, 'CHECK(name <> '''')', '') WHERE name='entries';" &&
  sqlite3 old.lib "INSERT INTO entries(name, source, modified) VALUES('', 'x', '')" || fail "old.lib could not be made"
expect 1 "old.lib::1: The first line must be \"global type NAME from structure\".
old.lib::1: Missing \"end type\".
old.lib: 1 structures have no name; no other structure can use them." "$QUILL_LIB" check old.lib
finish
