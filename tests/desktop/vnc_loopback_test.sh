#!/usr/bin/env bash
# Starts the desktop program the way `make run` does on a machine without a
# display and checks, from the kernel's socket table, that the VNC port it
# serves is bound to the loopback address and nothing else. The only connection
# made is to 127.0.0.1, to see that a VNC server answers there. Then, that the
# desktop is its user's alone: a viewer without the password and an X client
# without the cookie are refused, also coming from another user (nobody).
set -euo pipefail
source_dir=$1
build_dir=$2

if ! command -v Xvnc >/dev/null; then
  echo "SKIPPED: Xvnc is not installed"
  exit 77
fi

# Listening sockets on PORT as "hexaddr" lines, from /proc/net/tcp and tcp6
# (state 0A is LISTEN; the port is the hex after the colon).
listeners_on() {
  local hexport
  hexport=$(printf '%04X' "$1")
  awk -v p="$hexport" 'FNR > 1 && $4 == "0A" { split($2, a, ":"); if (a[2] == p) print a[1] }' \
    /proc/net/tcp /proc/net/tcp6 2>/dev/null || true
}

port=""
for candidate in $(seq $((20000 + $$ % 20000)) $((20000 + $$ % 20000 + 50))); do
  if [ -z "$(listeners_on "$candidate")" ]; then port=$candidate; break; fi
done
[ -n "$port" ] || { echo "FAIL: no free port to test with"; exit 1; }

home=$(mktemp -d)
log="$home/run.log"
cleanup() {
  [ -n "${runner:-}" ] && kill -TERM -- "-$runner" 2>/dev/null || true
  sleep 0.5
  [ -n "${runner:-}" ] && kill -KILL -- "-$runner" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT

cd "$source_dir"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$home" XDG_CONFIG_HOME="$home/.config" \
  XDG_DATA_HOME="$home/.local/share" ASAN_OPTIONS=detect_leaks=0 QUILL_VNC_PORT="$port" \
  setsid scripts/run-desktop "$build_dir" >"$log" 2>&1 &
runner=$!

found=""
for _ in $(seq 200); do
  found=$(listeners_on "$port")
  [ -n "$found" ] && grep -q "127.0.0.1:$port" "$log" && break
  kill -0 "$runner" 2>/dev/null || { echo "FAIL: run-desktop ended early:"; cat "$log"; exit 1; }
  sleep 0.1
done
[ -n "$found" ] || { echo "FAIL: nothing listens on port $port:"; cat "$log"; exit 1; }

# 0100007F is 127.0.0.1 as /proc writes it; every listener on the port must be that.
if [ "$(sort -u <<<"$found")" != "0100007F" ]; then
  echo "FAIL: port $port is bound to addresses other than 127.0.0.1 alone:"
  echo "$found"
  exit 1
fi
grep -q "127.0.0.1:$port" "$log" || { echo "FAIL: run-desktop does not say where to connect:"; cat "$log"; exit 1; }

exec 3<>"/dev/tcp/127.0.0.1/$port"
read -r -t 5 banner <&3 || true
exec 3<&-
case "$banner" in
  RFB*) echo "PASS: VNC server ($banner) on 127.0.0.1:$port only" ;;
  *) echo "FAIL: no VNC greeting on 127.0.0.1:$port (got '$banner')"; exit 1 ;;
esac

# The secrets the message names, readable by this user alone.
password_file=$(sed -n 's/.*password kept in \(\S*\) .*/\1/p' "$log")
xauthority=$(sed -n 's/.*cookie in \(.*\)\.$/\1/p' "$log")
display=$(sed -n 's/.*X display :\([0-9]*\) .*/\1/p' "$log")
[ -n "$password_file" ] && [ -n "$xauthority" ] && [ -n "$display" ] ||
  { echo "FAIL: run-desktop does not say where the password and the cookie are:"; cat "$log"; exit 1; }
for secret in "$password_file" "$xauthority"; do
  [ "$(stat -c %a "$secret")" == 600 ] || { echo "FAIL: $secret has mode $(stat -c %a "$secret")"; exit 1; }
done
cookie=$(xauth -f "$xauthority" list | awk 'NR == 1 { print $3 }')

handshakes="python3 $source_dir/tests/desktop/handshakes.py"
as_nobody=""
if [ "$(id -u)" -eq 0 ]; then
  # The system's python, which nobody may run (a user's own install may be private).
  as_nobody="setpriv --reuid=65534 --regid=65534 --clear-groups env PATH=/usr/local/bin:/usr/bin:/bin HOME=/nonexistent"
else
  echo "SKIPPED (part): the tries as another user need root; tried as this user without the secrets"
fi
failed=0
while IFS='|' read -r who what expected; do
  [ "$who" == nobody ] && [ -z "$as_nobody" ] && continue
  as_who=""
  [ "$who" == nobody ] && as_who=$as_nobody
  got=$(cd / && $as_who $handshakes $what 2>&1) && rc=0 || rc=$?
  got=$(tail -1 <<<"$got")
  if [ "$rc" -eq 77 ]; then echo "SKIPPED (part): $what: no DES to answer the challenge"; continue; fi
  if [ "$got" == "$expected" ]; then echo "PASS: $who, $what: $got"; else echo "FAIL: $who, $what: $got, expected $expected"; failed=1; fi
done <<TABLE
user|rfb $port password $password_file|accepted
user|x11 $display $cookie|accepted
user|rfb $port none|refused
user|rfb $port password|refused
user|x11 $display|refused
nobody|rfb $port none|refused
nobody|rfb $port password|refused
nobody|x11 $display|refused
TABLE
offered=$($handshakes rfb "$port" none | sed -n 1p)
[ "$offered" == "offered 2" ] || { echo "FAIL: the server offers other security than a password: $offered"; failed=1; }
exit $failed
