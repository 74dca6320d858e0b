#!/usr/bin/env bash
# Korvane on a virtual X display: vim, less and dialog run in a Wyse 60 and in
# a TeleVideo 925 session with the TERM the session gives them (and in a
# Wyse 60 session with the "wy60" a telnet or ssh host is told), driven by keys typed
# into the window, and the screen read back from the session's planes
# (through the scripting service) shows what they mean to show: the file's
# lines after scrolling forward and back, after inserting and deleting
# lines, after jumping to the end; the dialog's box and the text inside it
# after scrolling.
# Usage: XvfbCursesTest.sh KORVANE KORVANE_CTL RESOURCES
set -u
source "$(dirname "$(readlink -f "$0")")/xvfb-lib.sh"
korvane=$1 ctl=$2 resources=$3

xvfb_needs dbus-run-session iconv vim less dialog
xvfb_enter 2400x1000 bus "$@"

xvfb_home
cd "$tmp"

# Waits up to 15 seconds for a command to succeed.
wait_for() {
  for _ in $(seq 75); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

for i in $(seq 1 200); do printf 'line %03d of the file\n' "$i"; done >file.txt

# The active session's screen as the program reads it from its planes, one
# row a line, trailing blanks dropped, frame glyphs written as + - | so that
# a frame drawn with line graphics and one drawn with ASCII compare alike.
# The program writes it to the file KORVANE_SCREEN_TEXT names (UTF-8); a
# program without that reads it through the scripting service (Mac Roman).
export KORVANE_SCREEN_TEXT=$tmp/screen.txt
screen_text() {
  if [ -s "$KORVANE_SCREEN_TEXT" ]; then
    head -n "$1" "$KORVANE_SCREEN_TEXT" | sed -e 's/┌\|┐\|└\|┘\|├\|┤\|┬\|┴\|┼/+/g' -e 's/─/-/g' -e 's/│/|/g' -e 's/ *$//'
    return
  fi
  local r
  for r in $(seq 1 "$1"); do
    "$ctl" row "$r" | iconv -f UTF-8 -t MACINTOSH | tr '\336\337\335\341\340\345\342\346' '++++++|-' | sed 's/ *$//'
  done
}
lines_of() { sed -n "$1,$2p" file.txt; }
# The screen's first rows hold exactly the lines of $tmp/expected.
shows_expected() { [ "$(screen_text "$(wc -l <"$tmp/expected")")" = "$(cat "$tmp/expected")" ]; }
expect_screen() {
  local what=$1
  if ! wait_for shows_expected; then
    echo "--- expected"
    cat "$tmp/expected"
    echo "--- the screen"
    screen_text "$rows"
    fail "$term: $what"
  fi
}
# The dialog's text box: the rows between its top frame and the line that
# ends the text, the frame's bars stripped.
box_text() {
  local inside=0 text
  while IFS= read -r text; do
    if [ $inside -eq 0 ]; then
      # The top frame (it may carry the scroll marks).
      [[ $text =~ ^\ *\+.*\+$ ]] && inside=1
    else
      [[ $text =~ ^\ *\|\ (.*[^ ])\ *\|$ ]] || break
      echo "${BASH_REMATCH[1]}"
    fi
  done < <(screen_text "$rows")
}
box_shows() { [ "$(box_text)" = "$(lines_of "$1" "$2")" ]; }
expect_box() {
  if ! wait_for box_shows "$1" "$2"; then
    echo "--- the screen"
    screen_text "$rows"
    fail "$term: the dialog's box does not show lines $1 to $2 ($3)"
  fi
}
keys() {
  xdotool key --delay 120 "$@"
  sleep 0.3
}
typed() {
  xdotool type --delay 60 "$1"
  sleep 0.3
}

# One session: the "Local Shell" document named NAME with the emulation's
# lines (a line's number is its settings line plus the 64 function-key lines)
# and, as its program, a script that runs vim, less and dialog one after the
# other. TERMS is the pattern the TERM the session gives must match; with
# FORCED not empty the programs run with that TERM instead.
run_session() {
  term=$1 terms=$2 forced=$3
  shift 3
  cat >"$tmp/$term-programs" <<EOF
#!/bin/bash
cd "$tmp"
echo "\$TERM" >"$tmp/$term.term"
stty size >"$tmp/$term.size"
[ -z "$forced" ] || export TERM=$forced
export LESSHISTFILE=- LESS= DIALOGRC=/dev/null
vim -u NONE -N -i NONE -n -c 'set ttimeout ttimeoutlen=20' file.txt
less file.txt
dialog --textbox file.txt 12 40
echo done >"$tmp/$term.done"
exec sleep 600
EOF
  chmod +x "$tmp/$term-programs"
  local edits=(-e "185s|.*| 0|" -e "186s|.*| 1|" -e "187s|.*|$tmp/$term-programs|")
  for line in "$@"; do edits+=(-e "$line"); done
  sed "${edits[@]}" "$resources/Local Shell" >"$tmp/$term"

  "$korvane" "$tmp/$term" &
  pid=$!
  wait_for window_of "Korvane Using $term" >/dev/null || fail "$term: no window for the document"
  local id
  id=$(window_of "Korvane Using $term")
  xdotool windowfocus --sync "$id"
  wait_for test -s "$tmp/$term.size" || fail "$term: the programs did not start"
  [[ $(cat "$tmp/$term.term") =~ ^($terms)$ ]] || fail "$term: the session gave TERM=$(cat "$tmp/$term.term")"
  if ! wait_for test -s "$KORVANE_SCREEN_TEXT" && ! "$ctl" cursor >/dev/null 2>"$tmp/ctl.err"; then
    # A program that neither writes its screen to a file nor serves scripts
    # cannot show what it shows but in pixels.
    grep -q "not running on this session bus" "$tmp/ctl.err" &&
      { echo "skipped: the program writes no screen text and serves no scripts: $(cat "$tmp/ctl.err")"; exit 77; }
    fail "$term: the scripting service does not answer: $(cat "$tmp/ctl.err")"
  fi
  rows=$(cut -d' ' -f1 "$tmp/$term.size")
  local text=$((rows - 1))
  [ "$rows" -ge 12 ] || fail "$term: a screen of $rows rows"

  # vim: the file's first lines, one line below the other.
  lines_of 1 "$text" >"$tmp/expected"
  expect_screen "vim did not show the file's first lines"
  # Three lines up, two back: the screen scrolls by deleting and inserting lines.
  keys ctrl+e ctrl+e ctrl+e
  lines_of 4 $((text + 3)) >"$tmp/expected"
  expect_screen "vim's screen after scrolling three lines forward"
  keys ctrl+y ctrl+y
  lines_of 2 $((text + 1)) >"$tmp/expected"
  expect_screen "vim's screen after scrolling two lines back"
  # A line inserted above line 10, then it and line 10 deleted.
  typed ":10"
  keys Return
  typed "Oinserted line"
  keys Escape
  { lines_of 2 9; echo "inserted line"; lines_of 10 $((text - 1)); } >"$tmp/expected"
  expect_screen "vim's screen after inserting a line"
  typed "dd"
  typed "dd"
  { lines_of 2 9; lines_of 11 $((text + 2)); } >"$tmp/expected"
  expect_screen "vim's screen after deleting two lines"
  typed "G"
  lines_of $((200 - text + 1)) 200 >"$tmp/expected"
  expect_screen "vim's screen at the end of the file"
  typed ":q!"
  keys Return

  # less: the first lines, then forward and back by lines, a page, the top.
  lines_of 1 "$text" >"$tmp/expected"
  expect_screen "less did not show the file's first lines"
  typed "jjj"
  lines_of 4 $((text + 3)) >"$tmp/expected"
  expect_screen "less's screen after three lines forward"
  typed "kk"
  lines_of 2 $((text + 1)) >"$tmp/expected"
  expect_screen "less's screen after two lines back"
  keys space
  lines_of $((text + 2)) $((2 * text + 1)) >"$tmp/expected"
  expect_screen "less's screen after a page forward"
  typed "g"
  lines_of 1 "$text" >"$tmp/expected"
  expect_screen "less's screen back at the top"
  typed "q"

  # dialog: the box with the file's first eight lines; scrolled down three
  # lines and up one; at the end of the file (its last page ends with an
  # empty line).
  expect_box 1 8 "at the start"
  keys Down Down Down
  expect_box 4 11 "after three lines down"
  keys Up
  expect_box 3 10 "after one line up"
  typed "G"
  expect_box 194 200 "at the end"
  keys Return
  wait_for test -f "$tmp/$term.done" || fail "$term: dialog did not end"

  xdotool key ctrl+shift+q
  wait_for bash -c "! kill -0 $pid 2>/dev/null" || fail "$term: Quit did not end the program"
  wait "$pid"
  local status=$?
  [ "$status" -eq 0 ] || fail "$term: the program ended with status $status"
}

# Wyse 60: VT100 off, Viewpoint on, 2 in the Wyse 50 line (the Wyse 60), VT220 off.
wyse60=("70s|.*| 0|" "71s|.*| 1|" "86s|.*| 2|" "193s|.*| 0|")
run_session wyse60 "wy50|wy60" "" "${wyse60[@]}"
run_session remote-wyse60 "wy50|wy60" wy60 "${wyse60[@]}"
# TeleVideo 925: the Wyse 60's lines, the TeleVideo's on, its attributes in a cell.
run_session tvi925 tvi925 "" "${wyse60[@]}" "166s|.*| 1|" "131s|.*| 0|"
echo "PASS"
