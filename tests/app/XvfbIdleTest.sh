#!/usr/bin/env bash
# Korvane idle on a virtual X display: a VT220 session whose child prints a
# prompt and then waits. Once the window has settled, the program's main
# thread must sleep until something is due instead of waking every tick: over
# two idle seconds it may wake a few times a second (the cursor's blink),
# far below the 60 a second of a loop that wakes every tick. The cursor must
# still blink meanwhile.
# Usage: XvfbIdleTest.sh KORVANE XGRAB BENCH-FILES
set -u
source "$(dirname "$(readlink -f "$0")")/xvfb-lib.sh"
korvane=$1 grab=$2 files=$3

xvfb_needs dbus-run-session
xvfb_enter 1600x1200 bus "$@"

xvfb_home
cd "$tmp"

cat >child <<'EOS'
#!/bin/sh
printf 'idle$ '
exec sleep 100
EOS
chmod +x child
"$files" document vt220 "$tmp/idle" "$tmp/child" || fail "cannot write the document"
"$korvane" "$tmp/idle" &
pid=$!
wait_for window_of "Korvane Using idle" >/dev/null || fail "no window for the idle document"
id=$(window_of "Korvane Using idle")
sleep 3

# The main thread's sleeps, counted by the kernel: each wake of the loop
# ends one.
wakes() { awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$pid/task/$pid/status"; }
before=$(wakes)
sleep 2
after=$(wakes)
woken=$((after - before))
echo "the idle main loop woke $woken times in 2 s"
# A loop that wakes every tick wakes at least 120 times in 2 s.
[ "$woken" -le 30 ] || fail "the idle main loop woke $woken times in 2 s"

# The cursor blinks: of six looks a fifth of a second apart, some differ.
distinct=0
"$grab" grab "$id" "$tmp/0.png" || fail "cannot grab the window"
for i in 1 2 3 4 5; do
  sleep 0.2
  "$grab" grab "$id" "$tmp/$i.png" || fail "cannot grab the window"
  [ "$("$grab" diff "$tmp/0.png" "$tmp/$i.png")" -ne 0 ] && distinct=$((distinct + 1))
done
[ "$distinct" -gt 0 ] || fail "the cursor did not blink in a second"
echo "PASS: the idle program sleeps between the cursor's blinks, and the cursor blinks"
