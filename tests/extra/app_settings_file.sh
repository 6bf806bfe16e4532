#!/usr/bin/env bash
# Starts the log book in an empty folder on a virtual display, closes it with F10 and checks
# the settings file it leaves byte for byte (window positions are numbers whatever the display
# gives); then starts it again, closes it with F10 and checks that nothing but the same
# sections came back, and that no log file was created by merely starting.
set -euo pipefail
app=$1
dir=$(mktemp -d)
display=$((100 + RANDOM % 100))
Xvfb :$display -screen 0 1280x1024x24 -noreset >/dev/null 2>&1 &
xvfb=$!
cleanup() { kill "$xvfb" 2>/dev/null || true; rm -rf "$dir"; }
trap cleanup EXIT
export DISPLAY=:$display
export XDG_RUNTIME_DIR=$dir/xdg && mkdir -p -m 700 "$XDG_RUNTIME_DIR"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

run_and_close() {
  (cd "$dir" && exec "$app") >"$dir/app.log" 2>&1 &
  local pid=$!
  local wid=""
  for _ in $(seq 100); do
    wid=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1 || true)
    [ -n "$wid" ] && break
    sleep 0.1
  done
  [ -n "$wid" ] || { echo "the main frame did not appear"; cat "$dir/app.log"; exit 1; }
  sleep 0.5
  xdotool windowfocus --sync "$wid" key F10
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then echo "F10 did not end the program"; kill "$pid"; exit 1; fi
  wait "$pid"
}

expected='^\[Main\]\r
Maximize=No\r
XPos=-?[0-9]+\r
YPos=-?[0-9]+\r
Height=[0-9]+\r
Width=[0-9]+\r
\r
\[Preserved\]\r
Glo:UTSEDIT=\r
Glo:BAND=0\r
Glo:CQ=\r
Glo:Radio2=\r
Glo:SWKBD=\r
Glo:set_pom=\r
\r
\[__Dont_Touch_Me__\]\r
Sectors=0\r
$'

check() {
  python3 - "$dir/config.ini" "$expected" <<'PY'
import re, sys
data = open(sys.argv[1], 'rb').read().decode('latin-1')
if not re.fullmatch(sys.argv[2], data):
    print("config.ini differs:\n" + repr(data))
    sys.exit(1)
PY
}

run_and_close
check
first=$(cat "$dir/config.ini")
run_and_close
check
[ "$first" = "$(cat "$dir/config.ini")" ] || { echo "a second run changed the settings file"; exit 1; }
if ls "$dir" | grep -qi -e jurnal -e bonus; then echo "starting opened a log file:"; ls "$dir"; exit 1; fi
echo "settings file as expected"
