#!/usr/bin/env bash
# Korvane on a virtual X display: the "Local Shell" document opens a window
# with a shell prompt; typed text reaches the shell; two windows on two local
# shells each keep their own prompt and text when switched back and forth;
# quitting ends both shells.
# Usage: XvfbSessionTest.sh KORVANE XGRAB RESOURCES
set -u
source "$(dirname "$(readlink -f "$0")")/xvfb-lib.sh"
korvane=$1 grab=$2 resources=$3

xvfb_needs dbus-run-session tcsh
xvfb_enter 2400x1000 bus "$@"

xvfb_home
cd "$tmp"

file_says() { [ -f "$1" ] && grep -qx "$2" "$1"; }
ink() { "$grab" grab "$1" "$tmp/ink.png" && "$grab" ink "$tmp/ink.png" 30 200; }
has_ink() { [ "$(ink "$1")" -gt 50 ]; }
# The window shows text that has stopped changing (a prompt waiting for input;
# only the blinking cursor may differ between two looks).
settled() {
  has_ink "$1" || return 1
  "$grab" grab "$1" "$tmp/a.png" && sleep 0.7 && "$grab" grab "$1" "$tmp/b.png" || return 1
  [ "$("$grab" diff "$tmp/a.png" "$tmp/b.png")" -lt 800 ]
}
type_into() {
  xdotool windowfocus --sync "$1"
  sleep 0.3
  xdotool type --delay 15 "$2"
  xdotool key Return
}

"$korvane" "$resources/Local Shell" &
pid=$!

wait_for window_of "Korvane Using Local Shell" >/dev/null || fail "no window for the Local Shell document"
one=$(window_of "Korvane Using Local Shell")
wait_for settled "$one" || fail "the window shows no prompt"

type_into "$one" "echo one > $tmp/out1"
wait_for file_says "$tmp/out1" one || { "$grab" grab "$one" /tmp/korvane-xvfb-failure.png; fail "typed text did not reach the first shell"; }

xdotool key ctrl+shift+n
wait_for window_of "Korvane Using Local Shell \\[2\\]" >/dev/null || fail "File > New Session Window opened no window"
two=$(window_of "Korvane Using Local Shell \\[2\\]")
xdotool windowmove "$two" 1200 0
wait_for settled "$two" || fail "the second window shows no prompt"
type_into "$two" "echo two > $tmp/out2"
wait_for file_says "$tmp/out2" two || fail "typed text did not reach the second shell"
sleep 0.5
"$grab" grab "$two" "$tmp/two-before.png" || fail "cannot grab the second window"

# Back to the first window: its screen is as it was, and the shell it
# reaches is its own.
xdotool windowfocus --sync "$one"
sleep 0.8
"$grab" grab "$one" "$tmp/one-after.png" || fail "cannot grab the first window"
type_into "$one" "echo three > $tmp/out3"
wait_for file_says "$tmp/out3" three || fail "after switching back, typed text did not reach the first shell"
sleep 0.5
"$grab" grab "$two" "$tmp/two-after.png"
changed=$("$grab" diff "$tmp/two-before.png" "$tmp/two-after.png")
# Only the text cursor's cell may differ: the window behind kept its screen.
[ "$changed" -lt 800 ] || { cp "$tmp"/two-before.png "$tmp"/two-after.png /tmp/ 2>/dev/null; fail "the second window's screen changed while it was behind ($changed pixels)"; }
[ "$("$grab" diff "$tmp/one-after.png" "$tmp/two-after.png")" -gt 200 ] || fail "the two windows show the same screen"

# Back to the second window: typed text reaches the second shell.
type_into "$two" "echo four > $tmp/out4"
wait_for file_says "$tmp/out4" four || fail "after switching again, typed text did not reach the second shell"

shells=$(pgrep -P "$pid" | tr '\n' ' ')
[ -n "$shells" ] || fail "no shells are running"
xdotool key ctrl+shift+q
wait_for bash -c "! kill -0 $pid 2>/dev/null" || fail "Quit did not end the program"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
for child in $shells; do
  if kill -0 "$child" 2>/dev/null; then fail "shell $child is still running after quitting"; fi
done
echo "PASS"
