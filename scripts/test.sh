#!/usr/bin/env bash
# Sets up, builds and runs every test. Usage: scripts/test.sh [--sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/check-layers.sh
bash scripts/build.sh "$@" --werror
dir=build
[ "${1:-}" = "--sanitize" ] && dir=build-sanitize
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$(pwd)/tests/app/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
