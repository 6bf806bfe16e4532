#!/bin/sh
# Runs the real keyboard-layout tests of tests_entry on a private Xvfb whose keyboard has the
# layouts us,ru. Exit 77 (skipped) when Xvfb or setxkbmap is missing.
# Usage: run_xkb_test.sh <path of tests_entry>
set -u
exe=$1
for tool in Xvfb setxkbmap; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (scripts/setup installs xvfb and x11-xkb-utils)"
    exit 77
  fi
done

work=$(mktemp -d)
# -noreset: without it the server resets when its last client leaves and the layouts go.
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 640x480x24 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
cleanup() {
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

n=0
while [ ! -s "$work/display" ]; do
  n=$((n + 1))
  if [ $n -gt 100 ] || ! kill -0 "$xvfb" 2>/dev/null; then
    echo "Xvfb did not start:"
    cat "$work/xvfb.log"
    exit 1
  fi
  sleep 0.1
done
display=":$(head -n 1 "$work/display")"

if ! setxkbmap -display "$display" -layout us,ru; then
  echo "setxkbmap could not set the layouts us,ru on $display"
  exit 1
fi
echo "Xvfb on $display with layouts us,ru"
JURNAL_XKB_DISPLAY=$display "$exe" --gtest_filter='XkbReal*'
