#!/usr/bin/env bash
# Korvane on a virtual X display, flooded: a VT220 session whose child prints
# 20 MB of text lines and then one last screen must end up showing exactly
# what a session shows that was only sent that last screen. While the output
# floods, the window is repainted at most once a frame; when the flood stops,
# the last screen reaches the window without any further input or event.
# Usage: XvfbFloodTest.sh KORVANE XGRAB BENCH-FILES
set -u
source "$(dirname "$(readlink -f "$0")")/xvfb-lib.sh"
korvane=$1 grab=$2 files=$3

xvfb_needs dbus-run-session
xvfb_enter 1600x1200 bus "$@"

xvfb_home
cd "$tmp"

wait_steps=300
# Two looks a second apart see the same pixels (the cursor is hidden, so
# nothing blinks).
settled() {
  "$grab" grab "$1" "$tmp/a.png" && sleep 1 && "$grab" grab "$1" "$tmp/b.png" || return 1
  [ "$("$grab" diff "$tmp/a.png" "$tmp/b.png")" -eq 0 ]
}

# The last screen: cleared, 24 numbered rows of distinct text, the cursor
# hidden and parked mid-screen.
{
  printf '\033[2J\033[H'
  for row in $(seq 1 24); do
    printf '\033[%d;1Hrow %02d: the last screen of the flood %s' "$row" "$row" "$(printf '%*s' "$row" '' | tr ' ' '#')"
  done
  printf '\033[?25l\033[12;40H'
} >last.bytes
"$files" stream text 20000000 flood.bytes || fail "cannot write the flood"
cat flood.bytes last.bytes >flooded.bytes
# The child prints its file, says so, and stays.
cat >child <<EOF
#!/bin/sh
cat "\$1"
touch "\$1.done"
exec sleep 100
EOF
chmod +x child

# Shows FILE in a VT220 session, waits until the child has printed it all
# and the window has settled, and keeps the window's pixels in SHOT.
show() {
  local name=$1 file=$2 shot=$3 id
  "$files" document vt220 "$tmp/$name" "$tmp/child" "$tmp/$file" || fail "cannot write the $name document"
  "$korvane" "$tmp/$name" &
  pid=$!
  wait_for window_of "Korvane Using $name" >/dev/null || fail "no window for the $name document"
  id=$(window_of "Korvane Using $name")
  wait_for test -e "$tmp/$file.done" || fail "the $name session's child did not finish printing"
  wait_for settled "$id" || fail "the $name window did not settle"
  cp "$tmp/b.png" "$shot"
  # The view's width, less the scroll-back bar (whose thumb tells how much
  # scrolled away): the text area is what is compared.
  width=$(($(xdotool getwindowgeometry "$id" | awk -F'[ x]+' '/Geometry/ { print $3 }') - 24))
  kill "$pid"
  wait "$pid" 2>/dev/null
  pid=
}

show quiet last.bytes "$tmp/quiet.png"
show flooded flooded.bytes "$tmp/flooded.png"
differ=$("$grab" diff "$tmp/quiet.png" "$tmp/flooded.png" "$width")
if [ "$differ" -ne 0 ]; then
  cp "$tmp/quiet.png" /tmp/korvane-flood-quiet.png
  cp "$tmp/flooded.png" /tmp/korvane-flood-flooded.png
  fail "after the flood the window differs from the last screen in $differ pixels (/tmp/korvane-flood-*.png)"
fi
echo "PASS: the last screen of a 20 MB flood is what the window shows"
