#!/usr/bin/env bash
# Korvane on a virtual X display shows the pictures its host asks for where
# the host's cell numbers put them: two pictures stretched over given cells
# are found on the screen at the rectangles those cells make, and they are
# still there after another session window has been in front.
# Usage: XvfbPictureTest.sh KORVANE XGRAB HOST-CHILD RESOURCES
set -u
source "$(dirname "$(readlink -f "$0")")/xvfb-lib.sh"
korvane=$1 grab=$2 child=$3 resources=$4

xvfb_needs dbus-run-session
xvfb_enter 1600x1000 bus "$@"

xvfb_home
export KORVANE_PASTE_RECORD=$tmp/record
cd "$tmp"

# The rectangle of one colour in a window ("left top right bottom").
box_of() { "$grab" grab "$1" "$tmp/shot.png" && "$grab" box "$tmp/shot.png" "$2"; }

# Two pictures of colours the session's text never has.
"$grab" fill "$tmp/magenta.png" 40 20 ff00ff || fail "cannot write a picture"
"$grab" fill "$tmp/cyan.png" 30 30 00ffff || fail "cannot write a picture"
# The host: text, then the two pictures, each over cells given by the column
# and row before it and its width and height in cells (stretched to fill
# them, less five pixels each way).
printf 'pictures below\r\n\033\002iL magenta.png,10,4,11,6,0\r\033\002iL cyan.png,30,10,5,3,0\r' >"$tmp/shown"
ln -s "$child" "$tmp/pictures-host"
# The "Local Shell" document with the host as its program, as a Wyse 60
# (a line's number is its settings line plus the 64 function-key lines).
sed -e "185s|.*| 0|" -e "186s|.*| 1|" -e "187s|.*|$tmp/pictures-host $tmp/shown|" \
    -e "70s|.*| 0|" -e "71s|.*| 1|" -e "86s|.*| 2|" -e "193s|.*| 0|" \
    "$resources/Local Shell" >"$tmp/pictures"

"$korvane" "$tmp/pictures" &
pid=$!
wait_for window_of "Korvane Using pictures" >/dev/null || fail "no window for the document"
win=$(window_of "Korvane Using pictures")
wait_for box_of "$win" ff00ff >/dev/null || { cp "$tmp/shot.png" /tmp/korvane-picture-failure.png; fail "no magenta picture is shown"; }
sleep 0.5
read -r ml mt mr mb <<<"$(box_of "$win" ff00ff)" || fail "the magenta picture went away"
read -r cl ct cr cb <<<"$(box_of "$win" 00ffff)" || fail "no cyan picture is shown"
"$grab" grab "$win" "$tmp/first.png"
top=$("$grab" top "$tmp/first.png") || fail "cannot find the text area"

# Stretched over 11 by 6 cells: (11 - 1) cell widths and (6 - 1) cell heights,
# less five pixels: that gives the cell size.
w=$((mr - ml)) h=$((mb - mt))
[ $(((w + 5) % 10)) -eq 0 ] && [ $(((h + 5) % 5)) -eq 0 ] || fail "the magenta picture is $w x $h, not 10 cells - 5 by 5 cells - 5"
cw=$(((w + 5) / 10)) ch=$(((h + 5) / 5))
echo "cell ${cw}x${ch}, text area from $top, magenta at $ml,$mt ${w}x${h}, cyan at $cl,$ct $((cr - cl))x$((cb - ct))"
# Column 10, row 4: ten cells from the left and four rows below the text
# area's top.
[ "$ml" -eq $((10 * cw)) ] || fail "the magenta picture starts at x=$ml, not $((10 * cw))"
[ "$mt" -eq $((top + 4 * ch)) ] || fail "the magenta picture starts at y=$mt, not $((top + 4 * ch))"
# The cyan one over 5 by 3 cells at column 30, row 10.
[ "$cl" -eq $((30 * cw)) ] && [ "$ct" -eq $((top + 10 * ch)) ] || fail "the cyan picture starts at $cl,$ct, not $((30 * cw)),$((top + 10 * ch))"
[ $((cr - cl)) -eq $((4 * cw - 5)) ] && [ $((cb - ct)) -eq $((2 * ch - 5)) ] || fail "the cyan picture is $((cr - cl)) x $((cb - ct))"

# Another session window in front, then this one again: the pictures stay
# with their session.
xdotool key ctrl+shift+n
wait_for window_of "Korvane Using Local Shell" >/dev/null || fail "File > New Session Window opened no window"
sleep 1
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
sleep 1
[ "$(box_of "$win" ff00ff)" = "$ml $mt $mr $mb" ] || fail "the magenta picture moved or went away after a window switch"
[ "$(box_of "$win" 00ffff)" = "$cl $ct $cr $cb" ] || fail "the cyan picture moved or went away after a window switch"

xdotool key ctrl+shift+q
wait_for bash -c "! kill -0 $pid 2>/dev/null" || fail "Quit did not end the program"
echo "PASS"
