#!/usr/bin/env bash
# Korvane's Help menu on a virtual X display, chosen as a user chooses it:
# every item hands its document to the desktop's opener. A fake "xdg-open",
# first on PATH, records the arguments it is given; each item must give
# exactly one argument, the installed document of the interface's language,
# in English and in French.
# Usage: XvfbHelpTest.sh KORVANE RESOURCES
set -u
source "$(dirname "$(readlink -f "$0")")/xvfb-lib.sh"
korvane=$1 resources=$(readlink -f "$2")

xvfb_needs
xvfb_enter 1600x1000 nobus "$@"

xvfb_home
unset LC_ALL LC_MESSAGES
cd "$tmp"

# The opener: one line per call, its arguments separated by a tab.
mkdir "$tmp/bin"
cat >"$tmp/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s' "\$#" >>"$tmp/opened"
for a in "\$@"; do printf '\t%s' "\$a" >>"$tmp/opened"; done
echo >>"$tmp/opened"
EOF
chmod +x "$tmp/bin/xdg-open"
export PATH=$tmp/bin:$PATH

calls() { [ -f "$tmp/opened" ] && wc -l <"$tmp/opened" || echo 0; }
more_calls_than() { [ "$(calls)" -gt "$1" ]; }

# Item number `item` (counted among the enabled items) of the menu whose
# open window is named `title`. A menu reached with the arrow keys opens with
# its first item highlighted.
choose() {
  local window=$1 title=$2 item=$3
  xdotool windowfocus --sync "$window"
  sleep 0.3
  xdotool mousemove --window "$window" 12 8 click 1
  sleep 0.4
  local n=0
  until shown_named "$title"; do
    n=$((n + 1))
    [ "$n" -gt 14 ] && fail "the $title menu did not open"
    xdotool key Right
    sleep 0.3
  done
  for _ in $(seq 2 "$item"); do
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

# Chooses each Help item in turn and checks what the opener was given.
# Arguments: the window title, the Help menu's title, then one document per
# enabled item (relative to the resources folder).
check_help() {
  local title=$1 menu=$2
  shift 2
  start "$resources/Local Shell"
  wait_for window_of "$title" >/dev/null || fail "no window \"$title\""
  local id
  id=$(window_of "$title")
  local item=0
  for document in "$@"; do
    item=$((item + 1))
    [ -f "$resources/$document" ] || fail "$document is not installed"
    local before
    before=$(calls)
    choose "$id" "$menu" "$item"
    wait_for more_calls_than "$before" || fail "$menu item $item opened nothing"
    local got
    got=$(tail -n1 "$tmp/opened")
    [ "$got" = "1	$resources/$document" ] || fail "$menu item $item gave the opener '$got', not $document"
  done
  sleep 0.5
  [ "$(calls)" -eq "$((before + 1))" ] || fail "the opener was called more often than chosen: $(cat "$tmp/opened")"
  quit
}

export LANG=C.UTF-8
check_help "Korvane Using Local Shell" Help \
  "help/Korvane Manual.html" \
  "help/Korvane Support.html" \
  "help/Korvane Email.html" \
  "help/Korvane Home.html" \
  "help/Dialog Help Files/Telnet QuickStart.html" \
  "help/Dialog Help Files/Telnet Help.html"

# The French interface opens the French documents where there are any.
rm -f "$tmp/opened"
export LANG=fr_FR.UTF-8
check_help "Korvane avec Local Shell" Aide \
  "help/Korvane Manual.html" \
  "help/Assistance Korvane.html" \
  "help/Courrier Korvane.html" \
  "help/Accueil Korvane.html" \
  "help/Dialog Help Files - French/Prise en main rapide de Telnet.html" \
  "help/Dialog Help Files - French/Aide Telnet.html"
echo "PASS"
