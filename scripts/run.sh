#!/usr/bin/env bash
# Sets up, builds and starts Korvane on a local shell session.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh
if [ ! -x build/src/korvane ]; then
  echo "Korvane is built as libraries and tests so far; the program itself cannot start yet."
  exit 0
fi
exec build/src/korvane "resources/Local Shell"
