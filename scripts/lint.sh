#!/usr/bin/env bash
# Checks that the code follows .clang-format and .clang-tidy. Needs the
# compile commands of a build (scripts/build.sh makes them in build/).
# Usage: scripts/lint.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}

bash scripts/setup.sh clang-format clang-tidy
[ -f "$dir/compile_commands.json" ] || bash scripts/build.sh "$dir"

mapfile -t sources < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h' \
                                       'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
echo "lint: clang-format on ${#sources[@]} files"
clang-format --dry-run -Werror "${sources[@]}"

echo "lint: clang-tidy on the program's sources"
status=0
run-clang-tidy -p "$dir" -j "$(nproc)" -quiet "$(pwd)/src/" >"$dir/clang-tidy.log" 2>&1 || status=$?
# Every finding is named with its check in brackets.
findings=$(sed 's/\x1b\[[0-9;]*m//g' "$dir/clang-tidy.log" | grep -E "(warning|error): .*\[[a-z]" | sort -u || true)
if [ -n "$findings" ] || [ "$status" -ne 0 ]; then
  printf '%s\n' "$findings"
  echo "lint: clang-tidy found the above (exit status $status; the whole log is $dir/clang-tidy.log)"
  exit 1
fi
echo "lint: the code follows .clang-format and .clang-tidy"
