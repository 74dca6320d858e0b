#!/usr/bin/env bash
# The processor time an idle Korvane uses: the program is started offscreen on
# the "Local Shell" document, left alone for a few seconds to settle, and its
# user and system time over the next 10 seconds is read from /proc/PID/stat.
# Usage: bench/idle-cpu.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
korvane=$dir/src/korvane
[ -x "$korvane" ] || { echo "build first: $korvane is missing" >&2; exit 1; }

tmp=$(mktemp -d)
export HOME=$tmp XDG_CONFIG_HOME=$tmp/config QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$korvane" "resources/Local Shell" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -rf "$tmp"' EXIT

ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
sleep 5
before=$(ticks)
sleep 10
after=$(ticks)
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "idle for 10 s: %.2f%% of one core\n", 100 * t / hz / 10 }'
