#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# Usage: scripts/fuzz.sh [seconds-per-target]   (default 60)
# Fails on the first finding; the input that caused it is left in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

bash scripts/setup.sh clang libclang-rt-14-dev

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKORVANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz

export QT_QPA_PLATFORM=offscreen
mkdir -p build-fuzz/findings
for target in build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=${target##*/fuzz_}
  # The host-commands target finds no coverage in a fresh build yet (its
  # window size is not found there); it runs by hand until that is mended.
  [ "$name" = hostcommands ] && { echo "not fuzzing hostcommands in this run: it finds no coverage yet"; continue; }
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  [ -d "fuzz/corpus/$name" ] && cp -n fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  echo "fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/findings/"$name"- "$corpus"
done
