#!/usr/bin/env bash
# Reads the program's grid through the real accessibility bus (AT-SPI), as a
# screen reader would, on a virtual X server with a session bus of its own.
# Usage: accessibility_bus_test.sh QUILLMAKER SAMPLE-LIBRARY
set -euo pipefail
program=$1
sample=$2
here=$(dirname "$0")

# Debian's Python, where python3-pyatspi installs, whatever python3 is first on PATH.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
if ! "$python" -c "import pyatspi" 2>/dev/null; then
  echo "SKIPPED: python3-pyatspi is not installed (scripts/install-deps installs it)"
  exit 77
fi
if ! command -v dbus-run-session >/dev/null || ! [ -x /usr/libexec/at-spi-bus-launcher ]; then
  echo "SKIPPED: no session bus or accessibility bus launcher (dbus, at-spi2-core)"
  exit 77
fi

work=$(mktemp -d)
cleanup() {
  stop_virtual_display 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
. "$here/virtual_display.sh"

cp "$sample" "$work/sample.lib"
chmod u+w "$work/sample.lib"
# The accessibility bus is started on demand by the session bus, and ends with it.
HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work" \
  dbus-run-session -- "$python" "$here/read_grid_aloud.py" "$program" "$work/sample.lib" s_invoice_line
