#!/usr/bin/env bash
# Korvane on a virtual X display with the mouse and the clipboard: a drag over
# text the host wrote copies it (xclip reads it back from the primary
# selection and from the clipboard); a click on the web address the host
# wrote opens it through xdg-open (a fake one first on PATH records it), and
# clicks on javascript: and file: addresses open nothing; text another
# program put on the clipboard reaches the host through the "{PA" key.
# Usage: XvfbClipboardTest.sh KORVANE PASTE_CHILD XGRAB RESOURCES
set -u
source "$(dirname "$(readlink -f "$0")")/xvfb-lib.sh"
korvane=$1 child=$2 grab=$3 resources=$4

xvfb_needs xclip dbus-run-session
xvfb_enter 1600x1000 bus "$@"

xvfb_home
export KORVANE_PASTE_RECORD=$tmp/pasted
cd "$tmp"

fail() {
  echo "FAIL: $*"
  "$grab" grab "${id:-0}" /tmp/korvane-xvfb-clipboard-failure.png 2>/dev/null
  exit 1
}

# The desktop's opener: records what it is asked to open.
mkdir -p "$tmp/bin"
cat >"$tmp/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$@" >>"$tmp/opened"
EOF
chmod +x "$tmp/bin/xdg-open"
export PATH="$tmp/bin:$PATH"

# What the host shows: a cleared screen and six lines.
{
  printf '\033[H\033[2J'
  printf '%s\r\n' \
  "Korvane selection test, line one" \
  "second line of known text" \
  "visit http://example.com/page now" \
  "javascript:alert(1) and http:javascript:alert(2)" \
  "file:///etc/passwd"
} >"$tmp/shown"

# The "Local Shell" document with the recording child as its program, shown
# the host's lines, and "{PA" as F1's string (a line's number is its
# settings line plus the 64 function-key lines before them).
ln -s "$child" "$tmp/host"
sed -e "1s|.*|{PA|" -e "185s|.*| 0|" -e "186s|.*| 1|" -e "187s|.*|$tmp/host $tmp/shown|" \
  "$resources/Local Shell" >"$tmp/clip"

"$korvane" "$tmp/clip" &
pid=$!

wait_for window_of "Korvane Using clip" >/dev/null || fail "no window for the document"
id=$(window_of "Korvane Using clip")
wait_for test -f "$tmp/pasted" || fail "the session's child did not start"
sleep 1

# Where the text area begins: the cells are 12 x 24 pixels at the default
# text size, the first column 4 pixels in.
"$grab" grab "$id" "$tmp/window.png" || fail "cannot grab the window"
top=$("$grab" top "$tmp/window.png") || fail "cannot find the text area"
cell_x() { echo $((4 + 12 * ($1 - 1) + 6)); }
cell_y() { echo $((top + 24 * ($1 - 1) + 12)); }

# A drag from the first cell to the end of the second row.
xdotool mousemove --window "$id" 5 $((top + 3)) mousedown 1
sleep 0.1
xdotool mousemove --window "$id" 60 $((top + 10))
sleep 0.3
xdotool mousemove --window "$id" 300 $((top + 30))
sleep 0.1
xdotool mousemove --window "$id" 600 $((top + 2 * 24 - 2))
sleep 0.1
xdotool mouseup 1
expected=$(printf 'Korvane selection test, line one\nsecond line of known text')
copied() { [ "$(xclip -o 2>/dev/null)" = "$expected" ]; }
wait_for copied || fail "the primary selection holds '$(xclip -o 2>/dev/null)'"
[ "$(xclip -o -selection clipboard)" = "$expected" ] ||
  fail "the clipboard holds '$(xclip -o -selection clipboard)'"

# A click on the web address opens it.
sleep 0.6
xdotool mousemove --window "$id" "$(cell_x 12)" "$(cell_y 3)" click 1
opened() { [ -f "$tmp/opened" ] && grep -qx "http://example.com/page" "$tmp/opened"; }
wait_for opened || fail "the click on the address opened nothing"

# Clicks on the javascript: and file: addresses open nothing.
for cell in "3 4" "30 4" "5 5" "12 5"; do
  set -- $cell
  sleep 0.6
  xdotool mousemove --window "$id" "$(cell_x "$1")" "$(cell_y "$2")" click 1
done
# The address again: the clicks before it have all been taken, and only the
# address was opened, twice.
sleep 0.6
xdotool mousemove --window "$id" "$(cell_x 8)" "$(cell_y 3)" click 1
twice() { [ "$(grep -c . "$tmp/opened")" -ge 2 ]; }
wait_for twice || fail "the second click on the address opened nothing"
sleep 0.5
[ "$(cat "$tmp/opened")" = "$(printf 'http://example.com/page\nhttp://example.com/page')" ] ||
  fail "more was opened: $(cat "$tmp/opened")"

# Text another program put on the clipboard goes to the host with F1 ("{PA").
printf 'pasted one\npasted two\n' | xclip -i -selection clipboard
xdotool windowfocus --sync "$id"
sleep 0.3
xdotool key F1
pasted() { [ "$(cat "$tmp/pasted")" = "$(printf 'pasted one\rpasted two\r')" ]; }
wait_for pasted || fail "the host got '$(od -c "$tmp/pasted" | head -3)'"

xdotool key ctrl+shift+q
wait_for bash -c "! kill -0 $pid 2>/dev/null" || fail "Quit did not end the program"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS"
