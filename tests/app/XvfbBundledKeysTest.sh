#!/usr/bin/env bash
# Korvane on a virtual X display: a VT220 session whose settings define no
# function key sends the VT220's own codes for F1 and F10 (the key file the
# program carries for the emulation), and a typed "é" reaches the child in
# the session's character set (DEC Multinational: one byte, e9), not dropped.
# Usage: XvfbBundledKeysTest.sh KORVANE KEY_CHILD RESOURCES
set -u
source "$(dirname "$(readlink -f "$0")")/xvfb-lib.sh"
korvane=$1 child=$2 resources=$3

xvfb_needs
xvfb_enter 2400x1000 nobus "$@"

xvfb_home
export KORVANE_KEY_RECORD_DIR=$tmp
cd "$tmp"

recorded() { [ -f "$tmp/$1.keys" ] && [ "$(cat "$tmp/$1.keys")" = "$2" ]; }

# The "Local Shell" document, whose function-key lines are all empty, with
# the recording child as its program and VT220 on (a line's number is its
# settings line plus the 64 function-key lines before them).
ln -s "$child" "$tmp/vt220-keys"
for n in $(seq 64); do
  [ -z "$(sed -n "${n}p" "$resources/Local Shell")" ] || fail "the Local Shell document defines function key line $n"
done
sed -e "185s|.*| 0|" -e "186s|.*| 1|" -e "187s|.*|$tmp/vt220-keys|" -e "193s|.*| 1|" \
  "$resources/Local Shell" >"$tmp/vt220"

"$korvane" "$tmp/vt220" &
pid=$!
wait_for window_of "Korvane Using vt220" >/dev/null || fail "no window for the vt220 document"
id=$(window_of "Korvane Using vt220")
xdotool windowfocus --sync "$id"
wait_for test -f "$tmp/vt220-keys.keys" || fail "the session's child did not start"
sleep 0.5

xdotool key --delay 30 F1 F10
expected="1b 4f 50 1b 5b 32 31 7e "
wait_for recorded vt220-keys "$expected" ||
  fail "F1 F10: the child got '$(cat "$tmp/vt220-keys.keys")', not '$expected'"

xdotool type --delay 30 "é"
expected="${expected}e9 "
wait_for recorded vt220-keys "$expected" ||
  fail "é: the child got '$(cat "$tmp/vt220-keys.keys")', not '$expected'"

xdotool key ctrl+shift+q
wait_for bash -c "! kill -0 $pid 2>/dev/null" || fail "Quit did not end the program"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS"
