#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# Usage: scripts/fuzz.sh [seconds-per-target]   (default 60)
# Each target runs in libFuzzer's fork mode, one worker per core
# (KORVANE_FUZZ_WORKERS overrides), and prints how many inputs it ran.
# Fails on the first finding; the input that caused it is left in
# build-fuzz/findings/, beside each target's log.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
root=$PWD

bash scripts/setup.sh clang libclang-rt-14-dev

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKORVANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz

cores=$(nproc)
workers=${KORVANE_FUZZ_WORKERS:-$cores}

export QT_QPA_PLATFORM=offscreen
findings=$root/build-fuzz/findings
mkdir -p "$findings"
for target in "$root"/build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=${target##*/fuzz_}
  # Absolute paths: a target may change its working folder (the host-commands
  # target works inside a temporary one), and libFuzzer opens the corpus and
  # writes its findings relative to wherever the target then is.
  corpus=$root/build-fuzz/corpus/$name
  mkdir -p "$corpus"
  [ -d "fuzz/corpus/$name" ] && cp -n fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  log=$findings/$name.log
  echo "fuzzing $name for ${seconds}s with $workers workers"
  status=0
  "$target" -fork="$workers" -ignore_crashes=0 -ignore_timeouts=0 -ignore_ooms=0 \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
    -artifact_prefix="$findings/$name-" "$corpus" >"$log" 2>&1 || status=$?
  # Fork mode reports the inputs run so far on every status line.
  runs=$(grep -o 'exec/s: [0-9]*\|runs: [0-9]*\|#[0-9]*' "$log" | tail -1 || true)
  summary=$(grep -E '^#[0-9]+: cov: ' "$log" | tail -1 || true)
  if [ "$status" -ne 0 ]; then
    tail -60 "$log"
    echo "fuzzing $name found a fault (exit $status); see $findings" >&2
    exit "$status"
  fi
  echo "$name: ${summary:-$runs}"
done
