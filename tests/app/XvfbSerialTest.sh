#!/usr/bin/env bash
# Korvane on a virtual X display with a serial session on a line socat makes
# (two linked pseudo-terminals): the line is named in KORVANE_SERIAL_DEVICES;
# the session starts without a port, the user chooses the line in the Port
# Settings menu's Serial Port submenu, and it opens; text typed reaches the
# far end, and text written at the far end appears in the window.
# Usage: XvfbSerialTest.sh KORVANE XGRAB RESOURCES
set -u
source "$(dirname "$(readlink -f "$0")")/xvfb-lib.sh"
korvane=$1 grab=$2 resources=$3

xvfb_needs socat dbus-run-session
xvfb_enter 1600x1000 bus "$@"

tmp=$(mktemp -d)
trap 'kill "${pid:-0}" "${line_pid:-0}" "${reader_pid:-0}" 2>/dev/null; rm -rf "$tmp"' EXIT
export HOME=$tmp XDG_CONFIG_HOME=$tmp/config QT_QPA_PLATFORM=xcb
export LSAN_OPTIONS=suppressions=$(dirname "$(readlink -f "$0")")/lsan-suppressions.txt
cd "$tmp"

fail() {
  echo "FAIL: $*"
  [ -n "${one:-}" ] && "$grab" grab "$one" /tmp/korvane-xvfb-serial-failure.png
  exit 1
}
received() { [ -f "$tmp/received" ] && grep -q "$1" "$tmp/received"; }
ink() { "$grab" grab "$1" "$tmp/ink.png" && "$grab" ink "$tmp/ink.png" 30 200; }

# The line: the program's end is $tmp/line, the far end $tmp/far, where a
# reader keeps what arrives.
socat PTY,link="$tmp/line",raw,echo=0 PTY,link="$tmp/far",raw,echo=0 &
line_pid=$!
wait_for test -e "$tmp/far" || fail "socat made no line"
wait_for test -e "$tmp/line" || fail "socat made no line"
cat "$tmp/far" >"$tmp/received" &
reader_pid=$!
export KORVANE_SERIAL_DEVICES=$tmp/line

# A serial session without a port chosen: the "Local Shell" document with
# the serial line as its kind (settings lines 113-116 are the kind flags,
# 110 the close confirmation; 64 function-key lines come first).
sed -e "174s|.*| 0|" -e "177s|.*| 0|" -e "178s|.*| 0|" -e "179s|.*| 0|" -e "180s|.*| 0|" \
  "$resources/Local Shell" >"$tmp/serial"

"$korvane" "$tmp/serial" &
pid=$!

# No port is chosen yet: the program says so.
wait_for window_of "^Korvane$" >/dev/null || fail "no alert asks for a serial port"
alert=$(window_of "^Korvane$")
xdotool windowfocus --sync "$alert"
xdotool key Return
gone() { ! xdotool search --onlyvisible --name "^Korvane$" >/dev/null 2>&1; }
wait_for gone || fail "the alert did not close"
wait_for window_of "Korvane Using serial" >/dev/null || fail "no window for the serial document"
one=$(window_of "Korvane Using serial")

# Port Settings > Serial Port > the line. The menu bar's first title is
# clicked; each Left then opens the menu before it, wrapping round to the
# last (waited for: the open menu moves), to the fifth title seven menus on
# (Left, unlike Right, never opens a submenu that a menu starts with). A
# menu opened from the keyboard has its first item highlighted: eleven Downs
# go past the eleven speeds to the Serial Port
# submenu, Right opens it, and a click chooses its last item: the devices
# the user names come after the ports the machine has.
popup_x() {
  # An open menu is a window of the program's own without a title.
  local id
  id=$(xdotool search --onlyvisible --class korvane 2>/dev/null | grep -vx "$one" | tail -n1)
  [ -n "$id" ] && xdotool getwindowgeometry --shell "$id" | sed -n 's/^X=//p'
}
moved_from() {
  local x
  x=$(popup_x) && [ -n "$x" ] && [ "$x" != "$1" ]
}
opened=
for _ in 1 2; do
  xdotool windowfocus --sync "$one"
  sleep 0.5
  xdotool mousemove --window "$one" 20 10 click 1
  if wait_for popup_x >/dev/null; then opened=1; break; fi
done
[ -n "$opened" ] || fail "clicking the menu bar opened no menu"
for _ in 1 2 3 4 5 6 7; do
  x=$(popup_x)
  xdotool key Left
  wait_for moved_from "$x" || fail "Left did not open the menu before"
done
sleep 0.3
xdotool key --delay 60 Down Down Down Down Down Down Down Down Down Down Down
sleep 0.3
x=$(popup_x)
xdotool key Right
wait_for moved_from "$x" || fail "the Serial Port submenu did not open"
sleep 0.3
submenu=$(xdotool search --onlyvisible --class korvane 2>/dev/null | grep -vx "$one" | tail -n1)
height=$(xdotool getwindowgeometry --shell "$submenu" | sed -n 's/^HEIGHT=//p')
xdotool mousemove --window "$submenu" 30 $((height - 12)) click 1
wait_for window_of "Korvane Using Serial Port line" >/dev/null ||
  fail "choosing the line in the Serial Port menu did not open it ($(xdotool getwindowname "$one"))"

# Typed text reaches the far end.
xdotool windowfocus --sync "$one"
sleep 0.3
before=$(ink "$one")
xdotool type --delay 20 "hello far end"
xdotool key Return
wait_for received "hello far end" || fail "typed text did not reach the far end: '$(cat "$tmp/received")'"

# Text written at the far end appears in the window.
for i in 1 2 3 4 5 6; do printf 'the far end writes line %s\r\n' "$i" >"$tmp/far"; done
grew() { [ "$(ink "$one")" -gt $((before + 1500)) ]; }
wait_for grew || fail "the far end's text did not appear (ink $before, then $(ink "$one"))"

xdotool key ctrl+shift+q
wait_for bash -c "! kill -0 $pid 2>/dev/null" || fail "Quit did not end the program"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS"
