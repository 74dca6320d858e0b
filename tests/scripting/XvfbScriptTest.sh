#!/usr/bin/env bash
# Korvane on a virtual X display, on a session bus of its own, with a local
# session on the fake host: every named method of the scripting service once
# through gdbus, with its answer; the alerts the program shows meanwhile are
# answered as a user would. Then the host asks to run a script of the scripts
# folder three times: the user cancels, the user agrees (the script runs, with
# no arguments), and a name outside the folder is refused.
# Usage: XvfbScriptTest.sh KORVANE FAKE_HOST RESOURCES
set -u
korvane=$1 host=$2 resources=$3

for tool in xvfb-run Xvfb xdotool gdbus dbus-run-session; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed (scripts/setup.sh installs it)"
    exit 77
  fi
done
if [ -z "${KORVANE_OWN_BUS:-}" ]; then
  exec env KORVANE_OWN_BUS=1 dbus-run-session -- xvfb-run -a -s "-screen 0 1600x1000x24" bash "$0" "$@"
fi

tmp=$(mktemp -d)
trap 'kill "${pid:-0}" 2>/dev/null; rm -rf "$tmp"' EXIT
export HOME=$tmp XDG_CONFIG_HOME=$tmp/config QT_QPA_PLATFORM=xcb KORVANE_FAKE_HOST_RECORD=$tmp/record
export LSAN_OPTIONS=suppressions=$(dirname "$(readlink -f "$0")")/../app/lsan-suppressions.txt
cd "$tmp"
mkdir -p "$XDG_CONFIG_HOME/korvane/scripts" "$tmp/Desktop"

fail() {
  echo "FAIL: $*"
  exit 1
}
# Each alert answered leaves a line in $tmp/alerts (answers given inside a
# command substitution count too).
: >"$tmp/alerts"
alerts() { wc -l <"$tmp/alerts"; }
# The program's alerts are the visible windows titled "Korvane".
alert_window() { xdotool search --onlyvisible --name '^Korvane$' 2>/dev/null | head -n1; }
# Answers the alert in front with the keys given (Return: its default button).
answer_alert() {
  local id=$1
  shift
  xdotool windowactivate --sync "$id" 2>/dev/null
  # The box takes the keyboard a moment after its window is active; on a
  # loaded machine keys sent sooner reach nothing.
  for _ in $(seq 20); do
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ] && break
    sleep 0.05
  done
  sleep 0.3
  xdotool key --clearmodifiers "$@"
  echo "$id" >>"$tmp/alerts"
  for _ in $(seq 30); do
    [ "$(alert_window)" = "$id" ] || return 0
    sleep 0.1
  done
}
# Calls a method through gdbus, answering any alert that comes up meanwhile.
# Prints gdbus's answer with the blanks before a closing quote dropped.
call() {
  local method=$1
  shift
  gdbus call --session --dest org.korvane.Korvane --object-path /org/korvane/Korvane \
    --method "org.korvane.Korvane.$method" "$@" >"$tmp/answer" 2>&1 &
  local caller=$!
  for _ in $(seq 300); do
    kill -0 "$caller" 2>/dev/null || break
    local id
    id=$(alert_window)
    if [ -n "$id" ]; then answer_alert "$id" Return; else sleep 0.05; fi
  done
  wait "$caller" || { echo "FAIL: $method: $(cat "$tmp/answer")" >&2; return 1; }
  sed "s/ *'/'/g" "$tmp/answer"
}
# Checks a method's answer; "*" takes any answer (the reply belongs to a
# feature another part of the program provides).
check() {
  local expected=$1 method=$2
  shift 2
  local got
  got=$(call "$method" "$@") || fail "$method did not answer"
  [ "$expected" = "*" ] || [ "$got" = "$expected" ] || fail "$method answered '$got', not '$expected'"
  reached+=("$method")
}
row() { call Transfer.Line "$1" | sed "s/^('\\(.*\\)',)\$/\\1/"; }
# Waits up to ten seconds for a command to succeed.
wait_for() {
  for _ in $(seq 100); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
row_is() { [ "$(row "$1")" = "$2" ]; }
# Answers alerts until none has come up for a second.
settle() {
  local quiet=0 id
  while [ "$quiet" -lt 10 ]; do
    id=$(alert_window)
    if [ -n "$id" ]; then
      answer_alert "$id" Return
      quiet=0
    else
      quiet=$((quiet + 1))
      sleep 0.1
    fi
  done
}

document() {
  sed -e "185s|.*| 0|" -e "186s|.*| 1|" -e "187s|.*|$2|" "$resources/Local Shell" >"$1"
}
document "$tmp/host.kvst" "$host"
document "$tmp/second.kvst" "/bin/echo second document"
"$korvane" "$tmp/host.kvst" &
pid=$!
wait_for gdbus introspect --session --dest org.korvane.Korvane --object-path /org/korvane/Korvane >/dev/null 2>&1 ||
  fail "the program did not serve the bus"
wait_for row_is 5 "login:" || fail "no login prompt"

size=$(row 2)
rows=$(echo "$size" | sed -n 's/^rows \([0-9]*\) cols [0-9]*$/\1/p')
[ -n "$rows" ] || fail "the host did not report its size: '$size'"

# ---- Every named method once -----------------------------------------------------------------
reached=()
check "('Message sent to host',)" Message.SendToHost alice
check "(' 6',)" Cursor.Row
check "('2',)" Cursor.Column
check "('Welcome, alice',)" Transfer.Line 6
check "()" Transfer.GetScreenData
check "('',)" Transfer.Row 2
check "('',)" Transfer.ColStart 0
check "('0123456',)" Transfer.ColEnd 6
check "()" Message.Show "Backup done"
check "('Backup done',)" Transfer.Line $((rows + 1))
check "('Yes',)" Transfer.DataReceived
check "('Yes',)" Transfer.TransferDone
check "('Yes',)" Connection.IsConnected
check "('local shell',)" Connection.Method
check "()" Commands.Control c
check "()" Commands.Escape
check "()" Commands.Tab
check "()" Commands.Break
check "()" Commands.Wait 1
check "('Got the MacToHostXfer command',)" Transfer.HostToMacXfer
check "('Got the HostCommand',)" Transfer.HostCommand "cat report"
check "('$tmp/Desktop/report.txt',)" Transfer.FileName report.txt
check "('Got the Convert command',)" Transfer.Convert Yes
check "('Got the FieldsPerRecord command',)" Transfer.FieldsPerRecord 2
check "('Got the OverWrite command',)" Transfer.OverWrite No
check "('Got the LinesToSkip command',)" Transfer.LinesToSkip 1
check "('Got the TimeOutTime command',)" Transfer.TimeOutTime 5
check "()" Transfer.Pros
check "('Error! Incorrect path name supplied by the script.',)" Transfer.SetCaptureFile "$tmp/../x.txt"
check "('Capture file set to $tmp/capture.txt',)" Transfer.SetCaptureFile "$tmp/capture.txt"
check "('$tmp/capture.txt',)" Transfer.GetCaptureFile
check "('$tmp/capture.txt is the current capture file.',)" Transfer.CaptureOpen
check "()" Transfer.CaptureClose
check "()" Transfer.DeleteCaptureFile
check "()" Transfer.ClearClipboard
check "()" Transfer.AppendToClipboard abc
check "()" Transfer.CopyToClipboard def
check "()" Transfer.ClipboardCaptureOn
check "()" Transfer.ClipboardCaptureOff
check "()" Transfer.ScreenSnapshot
check "()" Transfer.Paste
check "*" Transfer.HostToMac "cat report"
check "*" Transfer.SendFileToHost "$tmp/notes.txt"
check "('Got the NoPage command',)" Transfer.NoPage Yes
check "()" Dial.QuickDial
check "()" Dial.HangUp
settle
check "()" Connection.Close
check "('No',)" Connection.IsConnected
check "()" Connection.Open
check "('Yes',)" Connection.IsConnected
wait_for row_is 5 "login:" || fail "no login prompt after the connection was opened again"
[ "$(alerts)" -gt 0 ] || fail "no alert came up for what this version cannot do"

# ---- The host runs a script of the scripts folder ---------------------------------------------
printf '#!/bin/sh\necho "ran with $# arguments" >"%s"\n' "$tmp/marker" >"$XDG_CONFIG_HOME/korvane/scripts/mark.sh"
chmod +x "$XDG_CONFIG_HOME/korvane/scripts/mark.sh"
canceled="43 61 6e 63 65 6c 65 64 0d "
canceled_count() { grep -o "$canceled" "$tmp/record" | wc -l; }
call Message.SendToHost alice >/dev/null || fail "login"
# The user cancels (Cancel is the default button).
call Message.SendToHost "run mark.sh" >/dev/null || fail "run mark.sh"
wait_for alert_window >/dev/null || fail "no question before running the script"
answer_alert "$(alert_window)" Return
wait_for test "$(canceled_count)" -eq 1 || fail "the host did not hear Canceled"
[ ! -e "$tmp/marker" ] || fail "the script ran although the user cancelled"
# The user agrees: the script runs by itself, without arguments.
call Message.SendToHost "run mark.sh" >/dev/null || fail "run mark.sh"
wait_for alert_window >/dev/null || fail "no question before running the script"
answer_alert "$(alert_window)" Tab space
wait_for test -s "$tmp/marker" || fail "the script did not run"
[ "$(cat "$tmp/marker")" = "ran with 0 arguments" ] || fail "the script ran with: $(cat "$tmp/marker")"
[ "$(canceled_count)" -eq 1 ] || fail "the host heard Canceled although the script ran"
# A name outside the folder: refused, with the reason, and nothing runs.
call Message.SendToHost "run ../mark.sh" >/dev/null || fail "run ../mark.sh"
settle
wait_for test "$(canceled_count)" -eq 2 || fail "the host did not hear Canceled for a name outside the folder"
[ "$(cat "$tmp/marker")" = "ran with 0 arguments" ] || fail "a script ran again"

# ---- Documents handed over -------------------------------------------------------------------------
check "()" Application.OpenDocuments "['$tmp/second.kvst']"
wait_for row_is 1 "second document" || fail "the document handed over did not open"
check "('second document', 0)" Script.Send xfer line 1
# Every named method of the introspection data was called.
methods=$(gdbus introspect --session --dest org.korvane.Korvane --object-path /org/korvane/Korvane |
  awk '/^ *interface / {iface=""} /^ *interface org.korvane.Korvane\./ {iface=$2; sub("org.korvane.Korvane.", "", iface)}
       /^ *[A-Za-z]+\(/ && iface != "" {m=$1; sub("\\(.*", "", m); print iface "." m}')
[ -n "$methods" ] || fail "no methods in the introspection data"
for m in $methods; do
  printf '%s\n' "${reached[@]}" | grep -qx "$m" || fail "$m was not called"
done
settle
kill -0 "$pid" || fail "the program ended"
echo "PASS: every named method answered; $(alerts) alerts answered"
