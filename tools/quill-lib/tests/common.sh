# Shared by the quill-lib scenario files: a scratch folder, structure files
# written as the editor writes them, small libraries built through the
# program itself, and checks that report FILE:LINE of the failing one.
set -u
QUILL_LIB=$(realpath "$1")
WORK=$(mktemp -d /tmp/quill-lib-test-XXXXXX)
chmod 755 "$WORK"
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1
FAILURES=0

# Names the line of the scenario file that failed, however deep the helper.
fail() {
  local i=1
  while [ "${BASH_SOURCE[$i]##*/}" == common.sh ] && [ $((i + 1)) -lt ${#BASH_SOURCE[@]} ]; do i=$((i + 1)); done
  echo "${BASH_SOURCE[$i]##*/}:${BASH_LINENO[$((i - 1))]}: $*" >&2
  FAILURES=$((FAILURES + 1))
}

# srs FILE HEADER [MEMBER...]: a structure file as the editor writes it, CR LF
# line ends, no line end after "end type". MEMBER is "TYPE NAME" or "decimal N NAME".
srs() {
  local file=$1 header=$2 member
  shift 2
  mkdir -p "$(dirname "$file")"
  {
    printf '%s from structure\r\n' "$header"
    for member in "$@"; do
      read -r -a part <<<"$member"
      if [ ${#part[@]} -eq 3 ]; then printf '\t%s {%s}\t%s\r\n' "${part[@]}"; else printf '\t%s\t\t%s\r\n' "${part[@]}"; fi
    done
    printf 'end type'
  } >"$file"
}

# sample_folder DIR: s_point (x, y), s_line (two points and a length), the
# unused s_note, and the window w_main whose local s_loc holds a line.
sample_folder() {
  local dir=$1
  srs "$dir/s_point.srs" "global type s_point" "integer x" "integer y"
  srs "$dir/s_line.srs" "global type s_line" "s_point a" "s_point b" "decimal 2 len"
  srs "$dir/s_note.srs" "global type s_note" "string text"
  srs "$dir/w_main/s_loc.srs" "type s_loc" "s_line l" "boolean shown"
  printf 'global\ts_point\tA point on the grid\nobject\t12\twindow\tw_main\ts_loc\n' >"$dir/quill-lib.manifest"
}

# sample_library LIB: the sample folder imported into a new library.
sample_library() {
  sample_folder "$WORK/sample-src"
  "$QUILL_LIB" import "$WORK/sample-src" "$1" >/dev/null || fail "the sample library could not be built"
}

# expect STATUS EXPECTED_STDOUT COMMAND...: the exit status and the whole standard output.
expect() {
  local status=$1 expected=$2 out rc
  shift 2
  out=$("$@" 2>"$WORK/stderr")
  rc=$?
  [ "$rc" -eq "$status" ] || fail "$*: exit status $rc, expected $status ($(cat "$WORK/stderr"))"
  [ "$out" == "$expected" ] || fail "$*: output"$'\n'"$out"$'\n'"expected"$'\n'"$expected"
}

# expect_error STATUS TEXT COMMAND...: the exit status and TEXT within standard error.
expect_error() {
  local status=$1 text=$2 rc
  shift 2
  "$@" >/dev/null 2>"$WORK/stderr"
  rc=$?
  [ "$rc" -eq "$status" ] || fail "$*: exit status $rc, expected $status"
  grep -qF -- "$text" "$WORK/stderr" || fail "$*: stderr lacks \"$text\": $(cat "$WORK/stderr")"
}

finish() {
  [ "$FAILURES" -eq 0 ] && echo "passed" || echo "$FAILURES failed"
  exit $((FAILURES != 0))
}
