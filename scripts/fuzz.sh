#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# Usage: scripts/fuzz.sh [seconds-per-target [inputs-per-target]]
#   (default 60 seconds; with a number of inputs, each target stops when it
#   has run that many or when its time is up, whichever comes first)
# Each target runs in libFuzzer's fork mode, one worker per core
# (KORVANE_FUZZ_WORKERS overrides), and prints how many inputs it ran.
# Fails on the first finding; the input that caused it is left in
# build-fuzz/findings/, beside each target's log.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
runs=${2:--1}
root=$PWD

bash scripts/setup.sh clang libclang-rt-14-dev

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKORVANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz

cores=$(nproc)
workers=${KORVANE_FUZZ_WORKERS:-$cores}

export QT_QPA_PLATFORM=offscreen
# AddressSanitizer holds freed memory back, to catch a use after its free.
# An input allocates far less than 16 MB, so a smaller hold still catches
# that within an input; the default 256 MB makes every job's memory large and
# slow to check for leaks at its end.
export ASAN_OPTIONS="quarantine_size_mb=16${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
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
  # Quick inputs get more of the time: in a minute the targets reach the same
  # coverage either way, with two to three times as many inputs.
  "$target" -fork="$workers" -ignore_crashes=0 -ignore_timeouts=0 -ignore_ooms=0 \
    -entropic_scale_per_exec_time=1 -max_total_time="$seconds" -runs="$runs" -timeout=10 -rss_limit_mb=4096 \
    -artifact_prefix="$findings/$name-" "$corpus" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    tail -60 "$log"
    echo "fuzzing $name found a fault (exit $status); see $findings" >&2
    exit "$status"
  fi
  # Fork mode's status lines count the inputs of every job so far:
  #   #123456: cov: 6740 ft: 17124 corp: 2526 exec/s 4649 ... time: 61s ...
  last=$(grep -E '^#[0-9]+: cov: ' "$log" | tail -1 || true)
  echo "$name: $(sed -E 's/^#([0-9]+): cov: ([0-9]+) ft: ([0-9]+).* time: ([0-9]+)s.*/\1 inputs in \4 s, coverage \2, features \3/' <<<"${last:-no status line in $log}")"
done
