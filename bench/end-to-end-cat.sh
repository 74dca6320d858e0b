#!/usr/bin/env bash
# Times `cat` of a 50 MB text file (lines of 1 to 79 characters) in a local
# session of the real program at 80 x 24, offscreen, and prints MB/s, beside
# the pseudo-terminal's own throughput for the same file.
# Usage: bench/end-to-end-cat.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
bench=$dir/bench/korvane_e2e_bench
[ -x "$bench" ] || { echo "build first: $bench is missing" >&2; exit 1; }

file=$(mktemp /tmp/korvane-cat-XXXXXX.txt)
trap 'rm -f "$file"' EXIT
# Lines of 1 to 79 printable characters, 50 MB.
awk 'BEGIN { srand(7); total = 0;
  while (total < 50000000) { n = 1 + int(rand() * 79); line = "";
    for (i = 0; i < n; i++) line = line sprintf("%c", 32 + int(rand() * 95));
    print line; total += n + 1 } }' > "$file"

echo "pseudo-terminal alone: $("$bench" --pty "$file")"
echo "korvane, 80 x 24:      $("$bench" "$file")"
