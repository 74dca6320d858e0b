#!/usr/bin/env bash
# Korvane on a virtual X display: the arrow keys and F1, typed into a VT100
# session and into a Wyse 60 session, reach each session's child as the
# bytes that terminal sends.
# Usage: XvfbKeysTest.sh KORVANE KEY_CHILD RESOURCES
set -u
source "$(dirname "$(readlink -f "$0")")/xvfb-lib.sh"
korvane=$1 child=$2 resources=$3

xvfb_needs dbus-run-session
xvfb_enter 2400x1000 bus "$@"

xvfb_home
export KORVANE_KEY_RECORD_DIR=$tmp
cd "$tmp"

recorded() { [ -f "$tmp/$1.keys" ] && [ "$(cat "$tmp/$1.keys")" = "$2" ]; }

# A settings document: the "Local Shell" document with the recording child
# as its program (under the name its record takes), F1's string, and the
# emulation's lines (a line's number is its settings line plus the 64
# function-key lines before them).
make_document() {
  local name=$1 f1=$2
  shift 2
  ln -s "$child" "$tmp/$name-keys"
  local edits=(-e "1s|.*|$f1|" -e "185s|.*| 0|" -e "186s|.*| 1|" -e "187s|.*|$tmp/$name-keys|")
  for line in "$@"; do edits+=(-e "$line"); done
  sed "${edits[@]}" "$resources/Local Shell" >"$tmp/$name"
}
make_document vt100 "{ESOP"
# Wyse 60: VT100 off, Viewpoint on, the Wyse line 2, VT220 off.
make_document wy60 "{CTA@{CR" "70s|.*| 0|" "71s|.*| 1|" "86s|.*| 2|" "193s|.*| 0|"

"$korvane" "$tmp/vt100" "$tmp/wy60" &
pid=$!

check() {
  local name=$1 expected=$2 id
  wait_for window_of "Korvane Using $name" >/dev/null || fail "no window for the $name document"
  id=$(window_of "Korvane Using $name")
  xdotool windowfocus --sync "$id"
  wait_for test -f "$tmp/$name-keys.keys" || fail "the $name session's child did not start"
  sleep 0.5
  xdotool key --delay 30 Up Down Right Left F1
  wait_for recorded "$name-keys" "$expected" ||
    fail "$name: the child got '$(cat "$tmp/$name-keys.keys")', not '$expected'"
}
# Both windows first: a window that opens while keys are typed takes the
# focus from the one they were meant for.
for name in vt100 wy60; do
  wait_for window_of "Korvane Using $name" >/dev/null || fail "no window for the $name document"
done
check vt100 "1b 5b 41 1b 5b 42 1b 5b 43 1b 5b 44 1b 4f 50 "
check wy60 "0b 0a 0c 08 01 40 0d "

xdotool key ctrl+shift+q
wait_for bash -c "! kill -0 $pid 2>/dev/null" || fail "Quit did not end the program"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS"
