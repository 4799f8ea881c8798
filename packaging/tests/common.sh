# Shared by the install checks: a scratch folder, failures counted, and the
# programs of an installed tree run from where they lie.
set -u
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
skip() { echo "skipped: $*"; exit 77; }
needs() { for tool in "$@"; do command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps installs it)"; done; }
finish() { [ "$failures" -eq 0 ] && echo "passed"; [ "$failures" -eq 0 ]; exit $?; }

# The tree `cmake --install` made for the other checks (the fixture install/tree).
installed_tree() { echo "$BUILD/packaging/tests/installed"; }

# Runs a program with the dynamic loader naming each library as it starts it;
# fails unless every library of ours came from ROOT. Output goes to $scratch/out.
runs_from() {
  local root=$1 libraries=$2
  shift 2
  LD_DEBUG=libs "$@" >"$scratch/out" 2>"$scratch/loader"
  local status=$?
  for library in $libraries; do
    local from
    from=$(grep -o "calling init: .*/$library" "$scratch/loader" | head -1 | sed 's/calling init: //')
    case $from in
      "$root"/*) ;;
      *) fail "$(basename "$1") loaded $library from '${from:-nowhere}', not from $root" ;;
    esac
  done
  return $status
}

# The desktop program on the offscreen platform, started on its first run: it
# must copy the sample it was installed with and load the module, then keep
# running until it is stopped.
desktop_starts() {
  local root=$1 program=$2 sample=$3
  mkdir -p "$scratch/home"
  HOME="$scratch/home" QT_QPA_PLATFORM=offscreen LD_DEBUG=libs \
    "$program" --open s_point >"$scratch/desktop.out" 2>"$scratch/desktop.log" &
  local pid=$! copy="$scratch/home/.local/share/quillmaker/sample.lib"
  for _ in $(seq 1 120); do
    grep -q "calling init: .*/libqst.so" "$scratch/desktop.log" && [ -s "$copy" ] && break
    kill -0 $pid 2>/dev/null || break
    sleep 0.5
  done
  if kill -0 $pid 2>/dev/null; then
    kill $pid
    wait $pid 2>/dev/null
  else
    wait $pid
    fail "quillmaker ended on its own (status $?): $(grep -v '^ *[0-9]*:' "$scratch/desktop.log" | tail -5)"
  fi
  grep -q "calling init: $root/.*libqst.so" "$scratch/desktop.log" ||
    fail "quillmaker did not load the module from $root: $(grep -o 'calling init: .*libqst.so' "$scratch/desktop.log")"
  cmp -s "$copy" "$sample" || fail "quillmaker did not copy the installed sample to $copy"
}

# Each program's --version and one real command, with every library and the
# module loaded from ROOT and nothing from the build folder.
check_programs() {
  local root=$1 bin=$1/usr/bin sample=$1/usr/share/quillmaker/sample.lib
  local programs="quill-lib quill-script"
  [ "$DESKTOP" = ON ] && programs+=" quillmaker"
  for program in $programs; do
    [ -x "$bin/$program" ] || { fail "$bin/$program is missing"; continue; }
    local version
    version=$("$bin/$program" --version 2>&1)
    [ "$version" = "$program $VERSION" ] || fail "$program --version said '$version', not '$program $VERSION'"
  done

  runs_from "$root" "libplatform.so libquill.so" "$bin/quill-lib" list "$sample" ||
    fail "quill-lib list failed: $(cat "$scratch/out")"
  grep -q "^global  *s_point  *2 " "$scratch/out" || fail "quill-lib list does not show s_point: $(cat "$scratch/out")"

  # The manual's example scenario, run by the installed runner.
  sed -n '/^# EXAMPLE/,/^# /p' "$SOURCE/packaging/man/quill-script.1.scd" | sed -n '/^```$/,/^```$/p' | sed '1d;$d' \
    >"$scratch/example.qs"
  runs_from "$root" "libplatform.so libquill.so libqst.so" "$bin/quill-script" "$scratch/example.qs" ||
    fail "the manual's example failed: $(cat "$scratch/out")"
  grep -q "passed (2[0-9] steps)" "$scratch/out" || fail "the example did not run: $(cat "$scratch/out")"

  if [ "$DESKTOP" = ON ]; then desktop_starts "$root" "$bin/quillmaker" "$sample"; fi
}
