#!/usr/bin/env bash
# Korvane on a virtual X display, connecting at start to hosts on this
# computer: the telnet host's login prompt and ssh's host-key question are on
# screen before anything is typed, the first name typed reaches the host as
# the user name, and "exit" on the host leaves a closed session that says so
# (not a local shell: what is typed afterwards runs nowhere); a local
# program that ends at once leaves a window that tells its exit status.
# Usage: XvfbRemoteTest.sh KORVANE XGRAB LOGIN_HOST RESOURCES
set -u
source "$(dirname "$(readlink -f "$0")")/xvfb-lib.sh"
korvane=$1 grab=$2 loginhost=$3 resources=$4

xvfb_needs xclip tcsh telnet
xvfb_enter 2400x1000 nobus "$@"

tmp=$(mktemp -d)
cleanup() {
  kill "${pid:-0}" "${hostpid:-0}" 2>/dev/null
  [ -f "$tmp/sshd.pid" ] && kill "$(cat "$tmp/sshd.pid")" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
export HOME=$tmp XDG_CONFIG_HOME=$tmp/config QT_QPA_PLATFORM=xcb
export LSAN_OPTIONS=suppressions=$(dirname "$(readlink -f "$0")")/lsan-suppressions.txt
cd "$tmp"

fail() {
  echo "FAIL: $*"
  [ -n "${id:-}" ] && echo "the window shows:" && screen_text "$id"
  exit 1
}
# The text of the window's 24 rows, as a drag over them selects it (the
# cells are 12 x 24 pixels at the default text size, the first column 4
# pixels in).
screen_text() {
  local w=$1 top
  "$grab" grab "$w" "$tmp/window.png" >/dev/null 2>&1 || return 1
  top=$("$grab" top "$tmp/window.png") || return 1
  xdotool mousemove --window "$w" 5 $((top + 3)) mousedown 1
  sleep 0.05
  xdotool mousemove --window "$w" 300 $((top + 100))
  sleep 0.05
  xdotool mousemove --window "$w" $((4 + 12 * 80 - 2)) $((top + 24 * 24 - 2))
  sleep 0.05
  xdotool mouseup 1
  sleep 0.1
  xclip -o 2>/dev/null
}
shows() { screen_text "$1" | grep -qF -- "$2"; }
type_line() {
  xdotool windowfocus --sync "$1"
  sleep 0.2
  xdotool type --delay 20 "$2"
  xdotool key Return
}
# A settings document: the "Local Shell" document with the given lines
# changed (a line's number is its settings line plus the 64 function-key
# lines before them).
make_document() {
  local name=$1
  shift
  local edits=()
  for line in "$@"; do edits+=(-e "$line"); done
  sed "${edits[@]}" "$resources/Local Shell" >"$tmp/$name"
}

# ---- A local program that ends at once -------------------------------------------
printf '#!/bin/sh\necho "starting up"\nexit 3\n' >"$tmp/ender"
chmod +x "$tmp/ender"
make_document quitter "185s|.*| 0|" "186s|.*| 1|" "187s|.*|$tmp/ender|"
"$korvane" "$tmp/quitter" &
pid=$!
wait_for window_of "Korvane Using quitter" >/dev/null || fail "no window for the quitter document"
id=$(window_of "Korvane Using quitter")
wait_for shows "$id" "Connection closed: ender ended with exit status 3." ||
  fail "the window does not say how the program ended"
shows "$id" "starting up" || fail "the program's last words are not on screen"
xdotool key ctrl+shift+q
wait_for bash -c "! kill -0 $pid 2>/dev/null" || fail "Quit did not end the program"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
id=
echo "local program: PASS"

# ---- Telnet to a host on the loopback interface ---------------------------------
"$loginhost" "$tmp/port" "$tmp/host.log" &
hostpid=$!
wait_for test -s "$tmp/port" || fail "the test host did not start"
port=$(cat "$tmp/port")
# Not a local shell but telnet, to 127.0.0.1 on the host's port.
make_document telnet-host "178s|.*| 0|" "179s|.*| 1|" "181s|.*|127.0.0.1|" "182s|.*|$port|"

"$korvane" "$tmp/telnet-host" &
pid=$!
wait_for window_of "Korvane Using telnet-host" >/dev/null || fail "no window for the telnet document"
id=$(window_of "Korvane Using telnet-host")
# Nothing typed yet: the host's greeting and its login prompt are shown.
wait_for shows "$id" "kvhost login:" || fail "the login prompt is not on screen"
shows "$id" "Korvane test host" || fail "the host's greeting is not on screen"
shows "$id" "setenv TERM" && fail "the echo of the set-up's lines is on screen"
type_line "$id" "alice"
wait_for grep -qx "user alice" "$tmp/host.log" || fail "the host got no user name 'alice': $(cat "$tmp/host.log")"
[ "$(head -n1 "$tmp/host.log")" = "user alice" ] || fail "the host got '$(head -n1 "$tmp/host.log")' first"
wait_for shows "$id" "Welcome, alice" || fail "the host's welcome is not on screen"
type_line "$id" "exit"
wait_for grep -qx "closed" "$tmp/host.log" || fail "the host did not see the connection close"
wait_for shows "$id" "Connection closed" || fail "the window does not say the connection closed"
# What is typed now runs nowhere: no local shell took the host's place.
type_line "$id" "echo local > $tmp/after"
sleep 2
[ -e "$tmp/after" ] && fail "a local shell ran what was typed after the host's exit"
shows "$id" "echo local" && fail "something echoed what was typed after the host's exit"
[ "$(grep -c "^user" "$tmp/host.log")" -eq 1 ] || fail "a second connection was opened: $(cat "$tmp/host.log")"
xdotool key ctrl+shift+q
wait_for bash -c "! kill -0 $pid 2>/dev/null" || fail "Quit did not end the program"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
id=
echo "telnet: PASS"

# ---- Secure shell to an sshd of the test's own -----------------------------------
sshd_bin=/usr/sbin/sshd
if [ ! -x "$sshd_bin" ] || ! command -v ssh-keygen >/dev/null || ! command -v ssh >/dev/null; then
  echo "ssh part skipped: openssh-server or openssh-client is not installed (scripts/setup.sh installs them)"
  echo "PASS"
  exit 0
fi
user=$(id -un)
ssh-keygen -q -t ed25519 -N "" -f "$tmp/hostkey" || fail "cannot make a host key"
ssh-keygen -q -t ed25519 -N "" -f "$tmp/clientkey" || fail "cannot make a client key"
cp "$tmp/clientkey.pub" "$tmp/authorized_keys"
chmod 600 "$tmp/authorized_keys"
sshport=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat >"$tmp/sshd_config" <<CONF
ListenAddress 127.0.0.1:$sshport
HostKey $tmp/hostkey
PidFile $tmp/sshd.pid
AuthorizedKeysFile $tmp/authorized_keys
AllowUsers $user
PasswordAuthentication no
KbdInteractiveAuthentication no
PermitRootLogin prohibit-password
StrictModes no
UsePAM no
CONF
# A root sshd separates privileges into the directory the system's own uses.
[ "$(id -u)" -eq 0 ] && mkdir -p /run/sshd
"$sshd_bin" -f "$tmp/sshd_config" -E "$tmp/sshd.log" || {
  echo "ssh part skipped: sshd cannot start here: $(cat "$tmp/sshd.log" 2>/dev/null)"
  echo "PASS"
  exit 0
}
wait_for test -s "$tmp/sshd.pid" || fail "sshd wrote no pid file"
: >"$tmp/known_hosts"
# Secure shell to 127.0.0.1 on the sshd's port, with the throwaway key and
# an empty list of known hosts (so that the host-key question comes).
make_document ssh-host "178s|.*| 0|" "179s|.*| 0|" "180s|.*| 1|" "188s|.*|127.0.0.1|" "189s|.*|$user|" \
  "191s|.*|$sshport|" "192s|.*|-F /dev/null -i $tmp/clientkey -o UserKnownHostsFile=$tmp/known_hosts|"
"$korvane" "$tmp/ssh-host" &
pid=$!
wait_for window_of "Korvane Using ssh-host" >/dev/null || fail "no window for the ssh document"
id=$(window_of "Korvane Using ssh-host")
wait_for shows "$id" "Are you sure you want to continue connecting" || fail "the host-key question is not on screen"
shows "$id" "authenticity of host" || fail "the host-key question's first line is not on screen"
type_line "$id" "yes"
wait_for grep -q "127.0.0.1" "$tmp/known_hosts" || fail "the answer did not reach ssh"
type_line "$id" "echo remote-\$((6*7)) > $tmp/remote"
wait_for grep -qx "remote-42" "$tmp/remote" || fail "the logged-in shell did not run the typed line"
type_line "$id" "exit"
wait_for shows "$id" "Connection closed: ssh ended with exit status 0." || fail "the window does not say ssh ended"
type_line "$id" "echo local > $tmp/after-ssh"
sleep 2
[ -e "$tmp/after-ssh" ] && fail "a local shell ran what was typed after the host's exit"
xdotool key ctrl+shift+q
wait_for bash -c "! kill -0 $pid 2>/dev/null" || fail "Quit did not end the program"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS"
