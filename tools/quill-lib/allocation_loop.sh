# Every stride-th allocation of a command failing in turn (SQLite's and C++'s
# alike): each run completes, or ends with exit 4 and "out of memory"; none
# crashes or draws a sanitizer report, and the library is left old or new.
source "$(dirname "$0")/tests/common.sh"
STRIDE=${QUILL_LIB_ALLOCATION_STRIDE:-37}
sample_folder src
sample_folder changed
srs changed/s_note.srs "global type s_note" "string text" "integer pages"
"$QUILL_LIB" import src old.lib >/dev/null || fail "the old library could not be built"
RUNS=0 FAILED=0 FAULTY=0

# The library as the commands see it: its structures' sources, or "none".
state() { [ -e "$1" ] && "$QUILL_LIB" export "$1" "snapshot" >/dev/null 2>&1 && cat snapshot/*.srs snapshot/*/*.srs; rm -rf snapshot; [ -e "$1" ] || echo none; }

while IFS='|' read -r setup command; do
  for ((n = 1; ; n += STRIDE)); do
    rm -f lib.lib; eval "$setup"
    before=$(state lib.lib)
    # shellcheck disable=SC2086
    "$QUILL_LIB" --fail-allocation $n $command >/dev/null 2>stderr
    rc=$?
    RUNS=$((RUNS + 1))
    grep -q "not reached" stderr && break
    FAILED=$((FAILED + 1))
    after=$(state lib.lib)
    if grep -qE "Sanitizer|runtime error" stderr || [ $rc -gt 4 ] ||
       { [ $rc -eq 4 ] && ! grep -q "out of memory" stderr; } ||
       { [ $rc -ne 0 ] && [ "$after" != "$before" ]; }; then
      FAULTY=$((FAULTY + 1))
      fail "$command with allocation $n failing: exit $rc, $(head -c 300 stderr)"
    fi
  done
done <<'TABLE'
:|import src lib.lib
cp old.lib lib.lib|import changed lib.lib
cp old.lib lib.lib|list lib.lib
cp old.lib lib.lib|check lib.lib
TABLE
echo "$RUNS runs, $FAILED allocations failed, $FAULTY faulty"
finish
