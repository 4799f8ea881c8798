# Sourced by the tests that need a real X display: starts a virtual X server
# (Xvfb) with the openbox window manager, exports DISPLAY and removes both at
# exit. Exits 77 (skipped) with the reason when either cannot start.
# The caller sets `work` to a temporary folder removed by its own cleanup.

for tool in Xvfb openbox; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done

stop_virtual_display() {
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null || true
  [ -n "${xserver:-}" ] && kill "$xserver" 2>/dev/null || true
  wait "${wm:-}" "${xserver:-}" 2>/dev/null || true
}

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
  stop_virtual_display
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
  stop_virtual_display
  exit 77
fi
