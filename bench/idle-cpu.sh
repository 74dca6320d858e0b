#!/usr/bin/env bash
# The processor time and memory of an idle Korvane: the program is started
# offscreen with SESSIONS local shell sessions (copies of the "Local Shell"
# document), left alone for a few seconds once they are open, and its user and system
# time over the next 10 seconds is read from /proc/PID/stat, its resident
# memory from /proc/PID/status.
# Usage: bench/idle-cpu.sh [-n SESSIONS] [build-dir]   (default: 1 session)
set -euo pipefail
cd "$(dirname "$0")/.."
sessions=1
while getopts "n:" opt; do
  case $opt in
    n) sessions=$OPTARG ;;
    *) echo "usage: $0 [-n SESSIONS] [build-dir]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
dir=${1:-build}
korvane=$dir/src/korvane
[ -x "$korvane" ] || { echo "build first: $korvane is missing" >&2; exit 1; }

tmp=$(mktemp -d)
export HOME=$tmp XDG_CONFIG_HOME=$tmp/config QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
documents=()
for ((i = 1; i <= sessions; i++)); do
  cp "resources/Local Shell" "$tmp/Shell $i"
  documents+=("$tmp/Shell $i")
done
"$korvane" "${documents[@]}" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -rf "$tmp"' EXIT

ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
# The sessions open one after the other: wait (a minute at most) until each
# has its shell, then let the program settle.
for _ in $(seq 60); do
  [ "$(pgrep -c -P "$pid" || true)" -ge "$sessions" ] && break
  sleep 1
done
sleep 5
shells=$(pgrep -c -P "$pid" || true)
before=$(ticks)
sleep 10
after=$(ticks)
hz=$(getconf CLK_TCK)
rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")
awk -v t=$((after - before)) -v hz="$hz" -v n="$shells" -v rss="$rss" \
  'BEGIN { printf "%d sessions, idle for 10 s: %.2f%% of one core, %.0f MB resident\n", n, 100 * t / hz / 10, rss / 1024 }'
