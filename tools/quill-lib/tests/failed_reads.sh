# A read of the library that fails after the open check (an input/output
# error, a lock held past the wait) ends the command with its reason and exit
# 4: it is never taken for an empty library, and export then removes nothing.
# strace fails the k-th and every later read of the file.
source "$(dirname "$0")/common.sh"
export ASAN_OPTIONS=detect_leaks=0  # the leak checker cannot run under ptrace
sample_library lib.lib
"$QUILL_LIB" export lib.lib out >/dev/null || fail "the export to compare with failed"
tree() { find out -type f -exec md5sum {} + | sort; }
exported=$(tree)

# run_failing SYSCALL ERROR K COMMAND...: COMMAND with that call failing from its k-th on.
run_failing() {
  local call=$1 error=$2 k=$3
  shift 3
  strace -o /dev/null -P "$WORK/lib.lib" -e trace="$call" -e inject="$call":error="$error":when="$k"+ "$@" >stdout 2>stderr
}

# Each command's k-th and later reads failing, for every k up to the reads it makes.
for command in "list lib.lib" "check lib.lib" "diff lib.lib lib.lib" "export lib.lib out" "uses lib.lib s_point" \
               "show lib.lib w_main" "graph lib.lib" "textconv lib.lib"; do
  # shellcheck disable=SC2086
  whole=$("$QUILL_LIB" $command 2>/dev/null); wholeRc=$?
  reads=$(strace -c -P "$WORK/lib.lib" -e trace=pread64 -o reads "$QUILL_LIB" $command >/dev/null 2>&1; awk '$NF=="pread64"{print $4}' reads)
  for ((k = 1; k <= ${reads:-0}; ++k)); do
    # shellcheck disable=SC2086
    run_failing pread64 EIO "$k" "$QUILL_LIB" $command; rc=$?
    if [ $rc -eq 4 ]; then
      grep -qF "lib.lib cannot be read: input/output error." stderr ||
        fail "$command, read $k failing: $(cat stderr)"
      [ "$(tree)" == "$exported" ] || fail "$command, read $k failing: the folder changed"
    elif [ $rc -ne $wholeRc ] || [ "$(cat stdout)" != "$whole" ]; then
      fail "$command, read $k failing: exit $rc, $(head -c 200 stdout) $(cat stderr)"
    fi
  done
  [ "${reads:-0}" -gt 0 ] || fail "$command: no reads were counted"
done

finish
