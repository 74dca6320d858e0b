#!/usr/bin/env bash
# Korvane on a virtual X display: colours a host sets belong to the text
# written after them. In a local VT220 session on a blue background, black on
# green text from `ls --color` and a clear in that colour show green; after
# ESC [ 0 m and `clear` the window has its own blue background again (no green
# left anywhere), and new text is drawn in the session's white.
# Usage: XvfbColoursTest.sh KORVANE XGRAB RESOURCES
set -u
source "$(dirname "$(readlink -f "$0")")/xvfb-lib.sh"
korvane=$1 grab=$2 resources=$3

xvfb_needs dbus-run-session tcsh clear ls
xvfb_enter 2400x1000 bus "$@"

xvfb_home
cd "$tmp"

fail() {
  echo "FAIL: $*"
  [ -n "${one:-}" ] && "$grab" grab "$one" /tmp/korvane-xvfb-colours-failure.png
  exit 1
}
file_says() { [ -f "$1" ] && grep -qx "$2" "$1"; }
shot() { "$grab" grab "$one" "$tmp/shot.png"; }
# The window's pixels have stopped changing (only the blinking cursor may
# differ between two looks).
settled() {
  "$grab" grab "$one" "$tmp/a.png" && sleep 0.7 && "$grab" grab "$one" "$tmp/b.png" || return 1
  [ "$("$grab" diff "$tmp/a.png" "$tmp/b.png")" -lt 800 ]
}
# Types a command line, and waits until the shell has run it (it leaves a
# mark file) and the window has settled.
run() {
  local mark=$tmp/mark$((++marks))
  xdotool windowfocus --sync "$one"
  xdotool type --delay 15 "$1; echo done > $mark"
  xdotool key Return
  wait_for file_says "$mark" done || fail "the shell did not run: $1"
  wait_for settled || fail "the window does not settle after: $1"
}
has_colour() { shot && "$grab" box "$tmp/shot.png" "$1" >/dev/null; }
marks=0

# The "Local Shell" document as a VT220 (settings line 129 on, after the 64
# function-key lines), white (17) on blue (9).
sed -e "193s|.*| 1|" -e "146s|.*| 17|" -e "147s|.*| 9|" "$resources/Local Shell" >"$tmp/Colours"
mkdir "$tmp/folder" && : >"$tmp/program" && chmod +x "$tmp/program"

"$korvane" "$tmp/Colours" &
pid=$!

wait_for window_of "Korvane Using Colours" >/dev/null || fail "no window for the document"
one=$(window_of "Korvane Using Colours")
wait_for settled || fail "the window shows no settled screen"
run "cd $tmp"
shot || fail "cannot grab the window"
top=$("$grab" top "$tmp/shot.png") || fail "no text area in the window"
# Two points of the text area that no text reaches: the left margin and a
# point to the right, a third of the way down.
y=$((top + 200))
margin=$("$grab" pixel "$tmp/shot.png" 1 "$y") || fail "no pixel at 1,$y"
inside=$("$grab" pixel "$tmp/shot.png" 400 "$y") || fail "no pixel at 400,$y"
[ "$margin" = "$inside" ] || fail "the empty text area is not one colour ($margin, $inside)"
[ "$margin" != 00ff00 ] || fail "the session's background is already green"

# Black on green, as a host that sets colours and clears the screen.
run "printf '\\033[30;42m'; ls --color=always; clear"
has_colour 00ff00 || fail "black on green from the host shows no green"

# All attributes off and a clear: the session's own colours again.
run "printf '\\033[0m'; clear"
shot || fail "cannot grab the window"
if "$grab" box "$tmp/shot.png" 00ff00 >/dev/null; then
  fail "green is left after ESC [ 0 m and clear at $("$grab" box "$tmp/shot.png" 00ff00)"
fi
[ "$("$grab" pixel "$tmp/shot.png" 1 "$y")" = "$margin" ] || fail "the margin is not the session's background after clear"
[ "$("$grab" pixel "$tmp/shot.png" 400 "$y")" = "$inside" ] || fail "the text area is not the session's background after clear"
# New text is drawn in the session's white, not in the host's black.
run "echo WWWWWWWWWWWWWWWW"
has_colour ffffff || fail "text after ESC [ 0 m is not drawn in the session's white"

xdotool key ctrl+shift+q
wait_for bash -c "! kill -0 $pid 2>/dev/null" || fail "Quit did not end the program"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS"
