#!/usr/bin/env bash
# A user's script, written with korvane-ctl, against the real program running
# offscreen on a session bus of its own: it waits for a host's login prompt
# (the fake host), types a user name, reads back the row the host answered
# on and the cursor, saves a capture of what the host sends next, and closes
# the connection.
# Usage: LoginScriptTest.sh KORVANE KORVANE_CTL FAKE_HOST RESOURCES
set -u
korvane=$1 ctl=$2 host=$3 resources=$4

if [ -z "${KORVANE_OWN_BUS:-}" ]; then
  exec env KORVANE_OWN_BUS=1 dbus-run-session -- bash "$0" "$@"
fi

tmp=$(mktemp -d)
trap 'kill "${pid:-0}" 2>/dev/null; rm -rf "$tmp"' EXIT
export HOME=$tmp XDG_CONFIG_HOME=$tmp/config QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS=suppressions=$(dirname "$(readlink -f "$0")")/../app/lsan-suppressions.txt
cd "$tmp"

fail() {
  echo "FAIL: $*"
  exit 1
}
row() { "$ctl" row "$1" | sed 's/ *$//'; }
# Waits up to ten seconds for row $1 to read $2.
wait_for_row() {
  for _ in $(seq 100); do
    [ "$(row "$1" 2>/dev/null)" = "$2" ] && return 0
    sleep 0.1
  done
  return 1
}

# The "Local Shell" document with the fake host as its program.
sed -e "185s|.*| 0|" -e "186s|.*| 1|" -e "187s|.*|$host|" "$resources/Local Shell" >"$tmp/host.kvst"
"$korvane" "$tmp/host.kvst" &
pid=$!

# ---- The script ------------------------------------------------------------------------
wait_for_row 5 "login:" || fail "no login prompt (row 5: '$(row 5 2>&1)')"
answer=$("$ctl" send alice) || fail "send: $answer"
[ "$answer" = "Message sent to host" ] || fail "send answered '$answer'"
# The next command runs once the host has answered.
welcome=$(row 6)
[ "$welcome" = "Welcome, alice" ] || fail "row 6 reads '$welcome'"
cursor=$("$ctl" cursor)
[ "$cursor" = "6 2" ] || fail "the cursor is at '$cursor', not after the prompt on row 7"

out=$("$ctl" capture "$tmp/session.log" 2>&1) || fail "capture: $out"
[ "$out" = "Capture file set to $tmp/session.log"$'\n'"$tmp/session.log is the current capture file." ] ||
  fail "capture answered: $out"
"$ctl" send "echo hello" >/dev/null || fail "send after the capture started"
[ "$(row 8)" = "got echo hello" ] || fail "row 8 reads '$(row 8)'"
"$ctl" event xfer capx || fail "closing the capture"
for _ in $(seq 50); do grep -q "got echo hello" "$tmp/session.log" 2>/dev/null && break; sleep 0.1; done
grep -q "got echo hello" "$tmp/session.log" || fail "the capture holds: $(cat "$tmp/session.log" 2>&1)"
grep -q "Welcome, alice" "$tmp/session.log" && fail "the capture holds what came before it started"

"$ctl" close || fail "close"
connected=$("$ctl" event conx icno)
[ "$connected" = "No" ] || fail "still connected: '$connected'"
kill -0 "$pid" || fail "the program ended"
echo "PASS"
