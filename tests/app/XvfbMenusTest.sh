#!/usr/bin/env bash
# Korvane's menu bar on a virtual X display, chosen as a user chooses it (a
# click on the menu bar, then the arrow keys and Return):
#  - Emulate > Wyse 60 in a VT100 local session changes what the arrow keys
#    send to the session's child;
#  - Window > 16 Point Font makes the cells and the window larger, and the
#    child's terminal keeps its 24 rows;
#  - with LANG=fr_FR.UTF-8 the menus and the window's title are French.
# Usage: XvfbMenusTest.sh KORVANE KEY_CHILD SIZE_CHILD RESOURCES
set -u
source "$(dirname "$(readlink -f "$0")")/xvfb-lib.sh"
korvane=$1 keychild=$2 sizechild=$3 resources=$4

xvfb_needs
xvfb_enter 1600x1000 nobus "$@"

xvfb_home
export KORVANE_KEY_RECORD_DIR=$tmp
unset LC_ALL LC_MESSAGES
export LANG=C.UTF-8
cd "$tmp"

# A window of exactly this name is shown (an open menu's window carries the
# menu's title).
recorded() { [ -f "$tmp/$1" ] && [ "$(cat "$tmp/$1")" = "$2" ]; }
last_size() { [ -f "$tmp/$1" ] && tail -n1 "$tmp/$1"; }

# A settings document: the "Local Shell" document with a recording child as
# its program (under the name its record takes). A line's number is its
# settings line plus the 64 function-key lines before it.
make_document() {
  local name=$1 child=$2
  shift 2
  ln -s "$child" "$tmp/$name-child"
  local edits=(-e "185s|.*| 0|" -e "186s|.*| 1|" -e "187s|.*|$tmp/$name-child|")
  for line in "$@"; do edits+=(-e "$line"); done
  sed "${edits[@]}" "$resources/Local Shell" >"$tmp/$name"
}

# Chooses item number `downs` (counted among the enabled items) of the menu
# whose open window is named `title`: a click on the first menu of the bar,
# the right arrow until that menu is open, the down arrow and Return.
choose() {
  local window=$1 title=$2 downs=$3
  xdotool windowfocus --sync "$window"
  sleep 0.3
  xdotool mousemove --window "$window" 12 8 click 1
  sleep 0.4
  local n=0
  until shown_named "$title"; do
    n=$((n + 1))
    [ "$n" -gt 12 ] && fail "the $title menu did not open"
    xdotool key Right
    sleep 0.3
  done
  for _ in $(seq "$downs"); do
    xdotool key Down
    sleep 0.1
  done
  xdotool key Return
  sleep 0.3
}

start() {
  "$korvane" "$@" &
  pid=$!
}
quit() {
  xdotool key ctrl+shift+q
  wait_for bash -c "! kill -0 $pid 2>/dev/null" || fail "Quit did not end the program"
  wait "$pid"
  local status=$?
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# ---- Emulate > Wyse 60 --------------------------------------------------------------
make_document vt100 "$keychild"
start "$tmp/vt100"
wait_for window_of "Korvane Using vt100" >/dev/null || fail "no window for the vt100 document"
id=$(window_of "Korvane Using vt100")
wait_for test -f "$tmp/vt100-child.keys" || fail "the key child did not start"
xdotool windowfocus --sync "$id"
sleep 0.5
xdotool key --delay 30 Up Down
wait_for recorded vt100-child.keys "1b 5b 41 1b 5b 42 " || fail "VT100 arrows: '$(cat "$tmp/vt100-child.keys")'"

# Prism, TV 925, VT100, VT220, Viewpoint, Wyse 50, Wyse 60.
choose "$id" Emulate 7
# The choice is told in a notice that closes itself.
sleep 2
xdotool windowfocus --sync "$id"
sleep 0.3
xdotool key --delay 30 Up Down Right Left
wait_for recorded vt100-child.keys "1b 5b 41 1b 5b 42 0b 0a 0c 08 " ||
  fail "after Emulate > Wyse 60 the child got '$(cat "$tmp/vt100-child.keys")'"
quit

# ---- Window > 16 Point Font ------------------------------------------------------------
make_document size "$sizechild"
start "$tmp/size"
wait_for window_of "Korvane Using size" >/dev/null || fail "no window for the size document"
id=$(window_of "Korvane Using size")
wait_for test -s "$tmp/size-child.size" || fail "the size child did not start"
sleep 0.5
before=$(last_size size-child.size)
[ "${before% *}" = 24 ] || fail "the child started with '$before', not 24 rows"
eval "$(xdotool getwindowgeometry --shell "$id")"
width_before=$WIDTH
# Standard Font: 12-point cells (the document has 18 points).
choose "$id" Window 1
sleep 0.8
eval "$(xdotool getwindowgeometry --shell "$id")"
width_standard=$WIDTH height_standard=$HEIGHT
[ "$width_standard" -lt "$width_before" ] || fail "Standard Font left the window $width_standard wide (was $width_before)"
# 16 Point Font: larger cells, a wider window, and the same 24 rows.
choose "$id" Window 3
sleep 0.8
eval "$(xdotool getwindowgeometry --shell "$id")"
[ "$WIDTH" -gt "$width_standard" ] || fail "16 Point Font left the window $WIDTH wide (was $width_standard)"
[ "$HEIGHT" -gt "$height_standard" ] || fail "16 Point Font left the window $HEIGHT high (was $height_standard)"
# Rows that no longer fit, or more rows that fit, would have been told to the
# child: it was never told anything but 24 rows.
sleep 0.5
others=$(grep -v '^24 ' "$tmp/size-child.size")
[ -z "$others" ] || fail "the child's terminal was given other rows: $others"
quit

# ---- The French interface ----------------------------------------------------------------
LANG=fr_FR.UTF-8 start "$resources/Local Shell"
wait_for window_of "Korvane avec Local Shell" >/dev/null || fail "no French window title"
id=$(window_of "Korvane avec Local Shell")
xdotool windowfocus --sync "$id"
sleep 0.3
xdotool mousemove --window "$id" 12 8 click 1
sleep 0.4
xdotool key Right
wait_for shown_named Fichier || fail "the File menu is not \"Fichier\""
xdotool key Right
wait_for shown_named Écran || fail "the Screen menu is not \"Écran\""
# The Screen menu opens on its Colors submenu; the next right arrow leaves it.
for _ in 1 2 3; do
  shown_named Numéroteur && break
  xdotool key Right
  sleep 0.4
done
shown_named Numéroteur || fail "the Dialer menu is not \"Numéroteur\""
xdotool key Escape
sleep 0.2
xdotool key Escape
quit
echo "PASS"
