#!/usr/bin/env bash
# vim, less and dialog in a VT220 session of the real program on a virtual X
# display: the session's shell gets TERM=vt220 from Korvane itself; the same
# keys typed into the Korvane window and into an xterm running with
# TERM=vt220 at 80 x 24 give the same screens, read from Korvane's planes
# (KORVANE_SCREEN_TEXT) and from xterm's print-screen. The screens also hold
# what the programs mean to show: consecutive lines of the file viewed or
# edited (after scrolling, deleting and inserting lines), and dialog's box.
# Usage: XvfbVtAppsTest.sh KORVANE RESOURCES
set -u
source "$(dirname "$(readlink -f "$0")")/xvfb-lib.sh"
korvane=$1 resources=$2

xvfb_needs xterm vim less dialog bash
xvfb_enter 2400x1000 nobus "$@"

tmp=$(mktemp -d)
trap 'kill "${pid:-0}" "${xpid:-0}" 2>/dev/null; wait 2>/dev/null; rm -rf "$tmp"' EXIT
export HOME=$tmp XDG_CONFIG_HOME=$tmp/config QT_QPA_PLATFORM=xcb LESSHISTFILE=-
unset LESS LESSOPEN VIMINIT EXINIT DIALOGRC
export LSAN_OPTIONS=suppressions=$(dirname "$(readlink -f "$0")")/lsan-suppressions.txt
cd "$tmp"

wait_steps=200

# The file viewed and edited: numbered lines of several lengths, some of
# exactly 80 characters (the last column written, the wrap waiting).
lengths=(40 80 63 80 12 79 33 80 71)
for i in $(seq 1 300); do
  n=${lengths[$((i % ${#lengths[@]}))]}
  line=$(printf 'line %03d ' "$i")
  while [ ${#line} -lt "$n" ]; do line+="abcdefghij"; done
  echo "${line:0:$n}"
done >"$tmp/text.txt"

# The shell both terminals run, in the same directory with the same prompt.
cat >"$tmp/shell" <<EOF
#!/bin/sh
cd "$tmp"
echo "\$TERM" > "$tmp/session-term"
PS1='\$ ' exec bash --norc --noprofile -i
EOF
chmod +x "$tmp/shell"

# ---- Reading the two screens -----------------------------------------------------------

# Korvane's screen, from its planes: 24 rows (the cursor line dropped).
korvane_screen() { head -n 24 "$tmp/korvane.txt" 2>/dev/null; }
# xterm's screen, from its print-screen (printed to a file on a key).
xterm_screen() {
  rm -f "$tmp/xterm.txt"
  xdotool windowfocus --sync "$xterm_id"
  xdotool key ctrl+shift+F12
  wait_for test -s "$tmp/xterm.txt" || return 1
  sleep 0.2
  # Trailing blanks are not part of the screen's text.
  head -n 24 "$tmp/xterm.txt" | sed 's/ *$//'
}
# The screen has stopped changing (the program waits for a key).
settled() {
  local a b
  a=$("$1") && sleep 0.6 && b=$("$1") && [ -n "$a" ] && [ "$a" = "$b" ]
}
shows() { "$1" | grep -qF -- "$2"; }

# Types keys into a window: words to type or xdotool key names.
send_keys() {
  local id=$1
  shift
  xdotool windowfocus --sync "$id"
  sleep 0.2
  for k in "$@"; do
    case $k in
      type:*) xdotool type --delay 20 "${k#type:}" ;;
      *) xdotool key --delay 40 "$k" ;;
    esac
    sleep 0.15
  done
}

# ---- The steps, the same for both terminals ------------------------------------------------

# run_steps NAME WINDOW READER: each step's screen into NAME-STEP.txt.
run_steps() {
  local name=$1 id=$2 reader=$3
  step() {
    local label=$1 want=$2
    shift 2
    send_keys "$id" "$@"
    wait_for shows "$reader" "$want" || { "$reader" >"/tmp/korvane-vtapps-$name-$label.txt"; fail "$name, $label: the screen never showed \"$want\""; }
    wait_for settled "$reader" || fail "$name, $label: the screen did not settle"
    "$reader" >"$tmp/$name-$label.txt"
  }
  step prompt '$' type:clear Return
  step vim-open 'line 001' "type:vim -u NONE -i NONE -N -n text.txt" Return
  # A page on; the middle line deleted and a line put above it; three lines
  # scrolled up and one back down; the result written for the comparison.
  step vim-edit 'written' ctrl+f M d d O "type:an inserted line" Escape ctrl+e ctrl+e ctrl+e ctrl+y \
    "type::w! edited.txt" Return
  step less-open 'line 001' "type::q!" Return "type:less text.txt" Return
  step less-scroll 'line 03' space j j j k
  step less-back 'line 01' b
  step dialog-box 'EXIT' q "type:dialog --title Korvane --textbox text.txt 18 70" Return
  step dialog-scroll 'line 0' Down Down Down Down Down Next Up
  step done '$' Return type:clear Return
}

# ---- xterm ----------------------------------------------------------------------------------

LANG=C.UTF-8 LC_ALL=C.UTF-8 xterm -tn vt220 -geometry 80x24+1200+0 -title xterm-vt220 \
  -xrm "XTerm*printerCommand: cat > $tmp/xterm.txt" -xrm 'XTerm*printAttributes: 0' \
  -xrm 'XTerm*VT100.translations: #override Ctrl Shift <Key>F12: print()' \
  -e env LANG=C LC_ALL=C "$tmp/shell" &
xpid=$!
wait_for window_of "xterm-vt220" >/dev/null || fail "no xterm window"
xterm_id=$(window_of "xterm-vt220")
wait_for shows xterm_screen '$' || fail "xterm shows no prompt"
run_steps xterm "$xterm_id" xterm_screen
mv "$tmp/edited.txt" "$tmp/xterm-edited.txt"
kill "$xpid" 2>/dev/null

# ---- Korvane --------------------------------------------------------------------------------

# The "Local Shell" document with the shell above as its program, VT220 on.
sed -e "185s|.*| 0|" -e "186s|.*| 1|" -e "187s|.*|$tmp/shell|" -e "193s|.*| 1|" \
  "$resources/Local Shell" >"$tmp/vt220"
KORVANE_SCREEN_TEXT=$tmp/korvane.txt "$korvane" "$tmp/vt220" &
pid=$!
wait_for window_of "Korvane Using vt220" >/dev/null || fail "no window for the VT220 document"
korvane_id=$(window_of "Korvane Using vt220")
wait_for shows korvane_screen '$' || fail "the Korvane window shows no prompt"
[ "$(cat "$tmp/session-term")" = vt220 ] || fail "the session's shell got TERM=$(cat "$tmp/session-term"), not vt220"
run_steps korvane "$korvane_id" korvane_screen
mv "$tmp/edited.txt" "$tmp/korvane-edited.txt"

# ---- What the screens show -------------------------------------------------------------------

# Rows 1-23 are lines of FILE, one after the other (row 24 is the program's
# own line).
rows_are_file_lines() {
  local screen=$1 file=$2 first start
  first=$(head -n 1 "$screen")
  start=$(grep -nxF -- "$first" "$file" | head -n 1 | cut -d: -f1)
  [ -n "$start" ] || return 1
  diff <(head -n 23 "$screen") <(sed -n "${start},$((start + 22))p" "$file") >/dev/null
}
for label in vim-edit; do
  rows_are_file_lines "$tmp/korvane-$label.txt" "$tmp/korvane-edited.txt" ||
    fail "vim: the Korvane screen is not the edited file: $(cat "$tmp/korvane-$label.txt")"
done
grep -qxF "an inserted line" "$tmp/korvane-vim-edit.txt" || fail "vim: the inserted line is not on the screen"
for label in less-open less-scroll less-back; do
  rows_are_file_lines "$tmp/korvane-$label.txt" "$tmp/text.txt" ||
    fail "less ($label): the Korvane screen is not the file: $(cat "$tmp/korvane-$label.txt")"
done
# dialog's box: its corners and sides around lines of the file.
box=$(grep -c '│.*│' "$tmp/korvane-dialog-scroll.txt")
[ "$box" -ge 14 ] || fail "dialog: the box has $box rows with both sides: $(cat "$tmp/korvane-dialog-scroll.txt")"
grep -q '┌.*┐' "$tmp/korvane-dialog-scroll.txt" && grep -q '└.*┘' "$tmp/korvane-dialog-scroll.txt" ||
  fail "dialog: the box has no corners: $(cat "$tmp/korvane-dialog-scroll.txt")"
grep -q '│ line 0[0-9][0-9] ' "$tmp/korvane-dialog-scroll.txt" || fail "dialog: no file line in the box"

# ---- The same as xterm ------------------------------------------------------------------------

for label in prompt vim-open vim-edit less-open less-scroll less-back dialog-box dialog-scroll done; do
  if ! diff "$tmp/xterm-$label.txt" "$tmp/korvane-$label.txt" >"$tmp/diff.txt"; then
    cp "$tmp/xterm-$label.txt" "/tmp/korvane-vtapps-xterm-$label.txt"
    cp "$tmp/korvane-$label.txt" "/tmp/korvane-vtapps-korvane-$label.txt"
    fail "$label: Korvane's screen differs from xterm's: $(cat "$tmp/diff.txt")"
  fi
done
cmp -s "$tmp/xterm-edited.txt" "$tmp/korvane-edited.txt" || fail "vim wrote different files in the two terminals"

xdotool windowfocus --sync "$korvane_id"
xdotool key ctrl+shift+q
wait_for bash -c "! kill -0 $pid 2>/dev/null" || fail "Quit did not end the program"
echo "PASS"
