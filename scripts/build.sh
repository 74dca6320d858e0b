#!/usr/bin/env bash
# Configures and builds Korvane. Usage: scripts/build.sh [--sanitize] [--werror] [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."

sanitize=OFF
if [ "${1:-}" = "--sanitize" ]; then
  sanitize=ON
  shift
fi
werror=OFF
if [ "${1:-}" = "--werror" ]; then
  werror=ON
  shift
fi
dir=${1:-build}
[ "$sanitize" = ON ] && [ -z "${1:-}" ] && dir=build-sanitize

cmake -S . -B "$dir" -G Ninja -DKORVANE_SANITIZE="$sanitize" -DKORVANE_WERROR="$werror" >/dev/null
cmake --build "$dir"
