#!/usr/bin/env bash
# Runs GUI test functions under a real window manager (openbox on a virtual X
# server), where window activation and the keyboard's place are the window
# manager's decision rather than the offscreen platform's.
# Usage: window_manager_test.sh TEST-BINARY FUNCTION...
set -euo pipefail
binary=$1
shift

work=$(mktemp -d)
cleanup() {
  stop_virtual_display 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
. "$(dirname "$0")/virtual_display.sh"

QT_QPA_PLATFORM=xcb "$binary" "$@"
