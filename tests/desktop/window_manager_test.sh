#!/usr/bin/env bash
# Runs GUI test functions under a real window manager (openbox on a virtual X
# server), where window activation and the keyboard's place are the window
# manager's decision rather than the offscreen platform's.
# Usage: window_manager_test.sh TEST-BINARY FUNCTION...
set -euo pipefail
binary=$1
shift

for tool in Xvfb openbox; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
cleanup() {
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null || true
  [ -n "${xserver:-}" ] && kill "$xserver" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The server writes the display number it chose once it accepts connections.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xserver=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if ! [ -s "$work/display" ]; then
  echo "SKIPPED: the virtual X server did not start"
  cat "$work/xvfb.log"
  exit 77
fi
export DISPLAY=":$(head -n1 "$work/display")"

HOME="$work" openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
# openbox owns the window manager selection once it manages the screen.
sleep 1
if ! kill -0 "$wm" 2>/dev/null; then
  echo "SKIPPED: openbox did not start"
  cat "$work/openbox.log"
  exit 77
fi

QT_QPA_PLATFORM=xcb "$binary" "$@"
