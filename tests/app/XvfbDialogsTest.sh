#!/usr/bin/env bash
# Korvane's dialog windows on a virtual X display, driven as a user drives
# them with the keyboard and the mouse:
#  - the Telnet Connection window takes the host and port of a loopback telnet
#    server; after Open Connection the session reaches that server;
#  - a secure-shell session without a user name asks for one, and the ssh
#    program (a fake one first on PATH) is given it;
#  - F1 edited in the function-key editor sends its new string when pressed,
#    and the bar's F1 button sends it too;
#  - dragging the scroll bar shows older lines;
#  - three dialogs are photographed in English and in French (into
#    SCREENSHOTS), to be looked at for text cut off or overlapping.
# Windows are opened as their menu items open them, through the program's
# KORVANE_OPEN_WINDOWS hook.
# Usage: XvfbDialogsTest.sh KORVANE XGRAB KEY_CHILD TELNET_SERVER RESOURCES SCREENSHOTS
set -u
source "$(dirname "$(readlink -f "$0")")/xvfb-lib.sh"
korvane=$1 grab=$2 child=$3 telnetd=$4 resources=$5 shots=$6

xvfb_needs tcsh telnet dbus-run-session
xvfb_enter 2400x1000 bus "$@"

xvfb_home
export KORVANE_KEY_RECORD_DIR=$tmp
cd "$tmp"
mkdir -p "$shots"

# The size of a window, as WIDTH and HEIGHT.
size_of() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$WIDTH $HEIGHT"
}
file_has() { [ -f "$1" ] && grep -q -- "$2" "$1"; }
recorded() { [ -f "$tmp/$1.keys" ] && [ "$(cat "$tmp/$1.keys")" = "$2" ]; }
ink() { "$grab" grab "$1" "$tmp/ink.png" && "$grab" ink "$tmp/ink.png" "$2" "$3"; }
start() {
  "$korvane" "$@" >>"$tmp/korvane.log" 2>&1 &
  pid=$!
}
quit() {
  xdotool key ctrl+shift+q
  wait_for bash -c "! kill -0 $pid 2>/dev/null" || fail "Quit did not end the program"
  wait "$pid"
  local status=$?
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
# A settings document made from the "Local Shell" document: sed edits by line
# (a settings line's number plus the 64 function-key lines before them).
document() {
  local name=$1
  shift
  local edits=()
  for line in "$@"; do edits+=(-e "$line"); done
  sed "${edits[@]}" "$resources/Local Shell" >"$tmp/$name"
}

# ---- Telnet Connection: host and port typed, then Open Connection --------------------
"$telnetd" "$tmp/telnet.port" "$tmp/telnet.data" &
server=$!
wait_for test -s "$tmp/telnet.port" || fail "the loopback telnet server did not start"
port=$(cat "$tmp/telnet.port")
# A telnet session without a host, not connecting by itself; telnet is run
# directly, not from a shell.
document telnet "140s|.*| 0|" "178s|.*| 0|" "179s|.*| 1|" "180s|.*| 0|" "181s|.*||" "210s|.*| 0|"
KORVANE_OPEN_WINDOWS=15 start "$tmp/telnet"
wait_for window_of "^Telnet Connection$" >/dev/null || fail "the Telnet Connection window did not open"
dialog=$(window_of "^Telnet Connection$")
xdotool windowfocus --sync "$dialog"
sleep 0.3
# The host field has the focus; Tab goes on to the port.
xdotool type --delay 20 "127.0.0.1"
xdotool key Tab ctrl+a
xdotool type --delay 20 "$port"
xdotool key Return
wait_for bash -c "! xdotool search --onlyvisible --name '^Telnet Connection$' >/dev/null 2>&1" ||
  fail "Return did not confirm the Telnet Connection window"
session=$(window_of "Korvane Using telnet") || fail "no session window for the telnet document"
xdotool windowfocus --sync "$session"
sleep 0.3
xdotool key ctrl+shift+o
wait_for test -f "$tmp/telnet.data.connected" || fail "Open Connection did not reach the host typed into the window"
sleep 1
xdotool type --delay 30 "dialogs"
xdotool key Return
wait_for file_has "$tmp/telnet.data" "dialogs" || fail "typed text did not reach the telnet server: $(cat -v "$tmp/telnet.data")"
quit
kill "$server" 2>/dev/null
echo "ok: the Telnet Connection window's host and port reach the loopback server"

# ---- Enter SSH User Name: the ssh program is given the name typed ---------------------
mkdir -p "$tmp/bin"
cat >"$tmp/bin/ssh" <<EOF
#!/bin/sh
printf '%s\n' "\$@" >"$tmp/ssh.args"
echo "fake ssh started"
exec cat
EOF
chmod +x "$tmp/bin/ssh"
# A secure-shell session to a host, with no user name, connecting at start.
document ssh "140s|.*| 1|" "178s|.*| 0|" "179s|.*| 0|" "180s|.*| 1|" "188s|.*|example.invalid|" "189s|.*||"
PATH=$tmp/bin:$PATH start "$tmp/ssh"
wait_for window_of "^Enter SSH User Name$" >/dev/null || fail "a secure-shell session without a user did not ask for one"
dialog=$(window_of "^Enter SSH User Name$")
xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool type --delay 20 "alice"
xdotool key Return
wait_for test -f "$tmp/ssh.args" || fail "ssh was not started after the user name was given"
grep -qx -- "-l" "$tmp/ssh.args" && grep -qx "alice" "$tmp/ssh.args" && grep -qx "example.invalid" "$tmp/ssh.args" ||
  fail "ssh was given $(tr '\n' ' ' <"$tmp/ssh.args")"
quit
echo "ok: the user name typed into Enter SSH User Name reaches ssh"

# ---- The function-key editor, F1, and the bar's F1 button -----------------------------
ln -s "$child" "$tmp/fkeys-keys"
document fkeys "1s|.*|{ESOP|" "185s|.*| 0|" "186s|.*| 1|" "187s|.*|$tmp/fkeys-keys|"
KORVANE_OPEN_WINDOWS=27 start "$tmp/fkeys"
wait_for window_of "^Edit Function Key$" >/dev/null || fail "the function-key editor did not open"
dialog=$(window_of "^Edit Function Key$")
xdotool windowfocus --sync "$dialog"
sleep 0.3
# The string field has the focus: its text is replaced, and Tab goes past
# Copy Key, Paste Key and Cancel to OK.
xdotool key ctrl+a
xdotool type --delay 20 "{ESOX"
xdotool key Tab Tab Tab Tab space
wait_for bash -c "! xdotool search --onlyvisible --name '^Edit Function Key$' >/dev/null 2>&1" ||
  fail "OK did not close the function-key editor"
session=$(window_of "Korvane Using fkeys") || fail "no session window for the fkeys document"
xdotool windowfocus --sync "$session"
wait_for test -f "$tmp/fkeys-keys.keys" || fail "the session's child did not start"
sleep 0.5
xdotool key F1
wait_for recorded fkeys-keys "1b 4f 58 " || fail "F1 sent '$(cat "$tmp/fkeys-keys.keys")', not the string edited"
# The bar's first button is F1: the bar's two rows end 14 pixels above the
# bottom of the window, the first row 15 pixels higher.
read -r width height < <(size_of "$session")
xdotool mousemove --window "$session" 30 $((height - 37)) click 1
wait_for recorded fkeys-keys "1b 4f 58 1b 4f 58 " ||
  fail "the bar's F1 button sent '$(cat "$tmp/fkeys-keys.keys")'"
quit
echo "ok: F1 edited in the editor is sent by the key and by the bar's button"

# ---- The scroll bar: a drag shows older lines -----------------------------------------
# A program that writes 300 lines full of text, then 30 empty ones, and
# waits: the live screen is empty, the lines above it are full.
cat >"$tmp/lines.sh" <<'EOF'
#!/bin/sh
sleep 2
i=0
while [ $i -lt 300 ]; do
  echo "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX $i"
  i=$((i + 1))
done
i=0
while [ $i -lt 30 ]; do
  echo
  i=$((i + 1))
done
exec cat >/dev/null
EOF
chmod +x "$tmp/lines.sh"
document lines "185s|.*| 0|" "186s|.*| 1|" "187s|.*|$tmp/lines.sh|"
start "$tmp/lines"
wait_for window_of "Korvane Using lines" >/dev/null || fail "no window for the lines document"
session=$(window_of "Korvane Using lines")
xdotool windowfocus --sync "$session"
sleep 4
read -r width height < <(size_of "$session")
live=$(ink "$session" 40 $((height - 60)))
[ "$live" -lt 2000 ] || fail "the live screen is not the empty end of the output ($live)"
# The thumb stands at the bottom of the bar along the right edge: drag it
# half-way up.
xdotool mousemove --window "$session" $((width - 7)) $((height - 50)) mousedown 1
for y in $(seq $((height - 70)) -30 $((height / 2))); do
  xdotool mousemove --window "$session" $((width - 7)) "$y"
  sleep 0.05
done
xdotool mouseup 1
sleep 0.8
older=$(ink "$session" 40 $((height - 60)))
[ "$older" -gt $((live + 20000)) ] || {
  "$grab" grab "$session" /tmp/korvane-scrollbar-failure.png
  fail "dragging the scroll bar showed no older lines (ink $live before, $older after)"
}
quit
echo "ok: dragging the scroll bar shows older lines"

# ---- Three dialogs in English and in French -----------------------------------------------
photograph() {
  local language=$1
  shift
  env "$@" KORVANE_OPEN_WINDOWS=15,18,27 "$korvane" "$resources/Local Shell" >>"$tmp/korvane.log" 2>&1 &
  pid=$!
  local n=0 x=0 id title width height
  for title in "${titles[@]}"; do
    wait_for window_of "^$title$" >/dev/null || fail "the window \"$title\" did not open ($language)"
    id=$(window_of "^$title$")
    # Side by side, so that no window covers another.
    xdotool windowmove --sync "$id" "$x" 0
    read -r width height < <(size_of "$id")
    x=$((x + width + 20))
  done
  sleep 1
  n=0
  for title in "${titles[@]}"; do
    id=$(window_of "^$title$")
    "$grab" grab "$id" "$shots/$language-$n.png" || fail "cannot photograph \"$title\""
    n=$((n + 1))
  done
  quit
}
titles=("Telnet Connection" "Preferences" "Edit Function Key")
photograph english LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8
# xdotool reads titles in its own character set: the accented letters are
# left to the pattern.
titles=("Connexion Telnet" "Pr.*f.*rences" "Modifier une touche de fonction")
photograph french LANG=fr_FR.UTF-8 LC_ALL=fr_FR.UTF-8
echo "ok: the dialogs' pictures are in $shots"
echo "PASS"
