#!/usr/bin/env bash
# Korvane beside urxvt and st, end to end, in one run on one virtual X display:
# each terminal at 80 x 24 runs `cat` of the same files, and each run is timed
# from the start of `cat` to its end, inside the terminal, after a pause that
# lets the terminal finish starting (so its start-up is not counted). The files are the throughput benchmarks' streams:
# text lines of 1 to 79 characters (CR LF), VT220 cursor addresses with
# renditions and colours, and the same kind of writes in Wyse 60 sequences.
# Korvane runs the text and VT files in a VT220 session and the text and Wyse
# files in a Wyse 60 session; urxvt and st run the text and VT files.
# Prints each one's MB/s (the best of the runs) and Korvane's ratio to the
# fastest of urxvt and st, and beside them what the pseudo-terminal alone
# delivers: `cat` of the same file read by a program that does nothing with
# what it reads. No terminal can show more than that; on text lines the
# terminal's own handling of each line end in `cat`'s writes is what limits it.
#
# Usage: bench/compare-terminals.sh [-b BUILD-DIR] [-r RUNS] [-m MEGABYTES]
#   defaults: build, 3 runs of each, 50 MB files.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build runs=3 megabytes=50
while getopts "b:r:m:" opt; do
  case $opt in
    b) dir=$OPTARG ;;
    r) runs=$OPTARG ;;
    m) megabytes=$OPTARG ;;
    *) echo "usage: $0 [-b BUILD-DIR] [-r RUNS] [-m MEGABYTES]" >&2; exit 2 ;;
  esac
done
korvane=$(readlink -f "$dir/src/korvane")
files=$(readlink -f "$dir/bench/korvane_bench_files")
for f in "$korvane" "$files"; do
  [ -x "$f" ] || { echo "build first: $f is missing" >&2; exit 1; }
done
for tool in Xvfb xvfb-run dbus-run-session urxvt st; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: scripts/setup.sh installs it" >&2; exit 1; }
done

if [ -z "${KORVANE_COMPARE_INNER:-}" ]; then
  # A display and a session bus of its own: Korvane must not hand its
  # documents to a Korvane the user runs.
  exec env KORVANE_COMPARE_INNER=1 dbus-run-session -- xvfb-run -a -s "-screen 0 1600x1200x24 -noreset" \
    bash "$0" -b "$dir" -r "$runs" -m "$megabytes"
fi

tmp=$(mktemp -d /tmp/korvane-compare-XXXXXX)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$tmp"' EXIT
export HOME=$tmp XDG_CONFIG_HOME=$tmp/config QT_QPA_PLATFORM=xcb
bytes=$((megabytes * 1000000))

# The child every terminal runs: the times around `cat` go to a stamp file.
# It waits first, so that every terminal has finished starting (opening its
# window, loading its fonts) before the clock starts: a terminal's start-up is
# not part of its throughput.
cat > "$tmp/timed-cat" <<'EOF'
#!/bin/sh
sleep 2
date +%s%N > "$1.start"
cat "$2"
date +%s%N > "$1.end"
EOF
chmod +x "$tmp/timed-cat"

for kind in text vt wyse; do "$files" stream "$kind" "$bytes" "$tmp/$kind"; done

# Runs one terminal on one file and prints its MB/s. The terminal is given
# 10 minutes; one that has not finished by then has failed.
run() {
  local name=$1 file=$2 stamp=$tmp/stamp.$RANDOM
  shift 2
  rm -f "$stamp".*
  case $name in
    korvane-vt220 | korvane-wy60)
      "$files" document "${name#korvane-}" "$tmp/document" "$tmp/timed-cat" "$stamp" "$tmp/$file"
      "$korvane" "$tmp/document" >"$tmp/korvane.log" 2>&1 &
      ;;
    urxvt) urxvt -geometry 80x24 -sl 1000 -e "$tmp/timed-cat" "$stamp" "$tmp/$file" >/dev/null 2>&1 & ;;
    st) st -g 80x24 -e "$tmp/timed-cat" "$stamp" "$tmp/$file" >/dev/null 2>&1 & ;;
    pty) "$files" drain "$tmp/timed-cat" "$stamp" "$tmp/$file" >/dev/null 2>&1 & ;;
  esac
  pid=$!
  for _ in $(seq 6000); do
    [ -s "$stamp.end" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=
  if [ ! -s "$stamp.end" ]; then
    echo "$name did not finish $file" >&2
    echo 0
    return
  fi
  awk -v s="$(cat "$stamp.start")" -v e="$(cat "$stamp.end")" -v b="$bytes" \
    'BEGIN { printf "%.1f\n", b / ((e - s) / 1e9) / 1e6 }'
}

# The best of the runs, the terminals taking turns so that a change in the
# machine's load falls on all of them alike.
declare -A best
for ((i = 0; i < runs; i++)); do
  for pair in "korvane-vt220 text" "urxvt text" "st text" "korvane-wy60 text" "pty text" \
    "korvane-vt220 vt" "urxvt vt" "st vt" "korvane-wy60 wyse" "pty vt"; do
    set -- $pair
    figure=$(run "$1" "$2")
    key="$1 $2"
    best[$key]=$(awk -v a="${best[$key]:-0}" -v b="$figure" 'BEGIN { print (b > a ? b : a) }')
  done
done

echo "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "80 x 24, ${megabytes} MB files, best of $runs runs, MB/s:"
ratio() { awk -v k="$1" -v u="$2" -v s="$3" 'BEGIN { m = u > s ? u : s; printf "%.2f", (m > 0 ? k / m : 0) }'; }
printf "%-34s %8s %8s %8s %8s %10s\n" "" "Korvane" "urxvt" "st" "ratio" "pty alone"
printf "%-34s %8s %8s %8s %8s %10s\n" "text lines, VT220 session" "${best[korvane-vt220 text]}" "${best[urxvt text]}" \
  "${best[st text]}" "$(ratio "${best[korvane-vt220 text]}" "${best[urxvt text]}" "${best[st text]}")" \
  "${best[pty text]}"
printf "%-34s %8s %8s %8s %8s %10s\n" "addressed writes, VT220 session" "${best[korvane-vt220 vt]}" "${best[urxvt vt]}" \
  "${best[st vt]}" "$(ratio "${best[korvane-vt220 vt]}" "${best[urxvt vt]}" "${best[st vt]}")" "${best[pty vt]}"
# The Wyse 60 session beside the VT220 session on the same kind of stream.
printf "%-34s %8s %8s %8s %8s\n" "text lines, Wyse 60 session" "${best[korvane-wy60 text]}" "" "" \
  "$(ratio "${best[korvane-wy60 text]}" "${best[korvane-vt220 text]}" 0)"
printf "%-34s %8s %8s %8s %8s\n" "addressed writes, Wyse 60 session" "${best[korvane-wy60 wyse]}" "" "" \
  "$(ratio "${best[korvane-wy60 wyse]}" "${best[korvane-vt220 vt]}" 0)"
echo "ratio: Korvane to the faster of urxvt and st; for the Wyse 60 session, to the VT220 session"
