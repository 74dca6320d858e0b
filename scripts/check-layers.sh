#!/usr/bin/env bash
# Checks that the libraries of src/ form layers: a folder includes and links
# only itself and the folders below it, in the order drawn in
# docs/code-map.md. Fails, naming each offending line, on an include or a
# link that runs up the order (which is also how a cycle would start).
# Usage: scripts/check-layers.sh [source-root]   (default: the repository's src/)
set -euo pipefail
cd "$(dirname "$0")/.."
src=${1:-src}

# Bottom to top. The platform's POSIX side belongs to the platform. Its Qt
# side binds the program to Qt: it sits on top, and only the program's entry
# point and the Qt side itself include it.
layers=(platform settings screen emulation connection input windows output ui scripting app qt)

rank() {
  local i
  for i in "${!layers[@]}"; do
    [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }
  done
  echo -1
}

status=0
check_unit() {
  local dir=$1 lib=$2 prune=${3:-}
  local own
  own=$(rank "$lib")
  if [ "$own" -lt 0 ]; then
    echo "check-layers: $dir is not in the layer order; add it to scripts/check-layers.sh and docs/code-map.md"
    status=1
    return
  fi
  # Includes of the project's own headers: "folder/...".
  while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    target=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"${rest#*:}")
    grep -q '#include "platform/qt/' <<<"${rest#*:}" && target=qt
    r=$(rank "$target")
    [ "$r" -lt 0 ] && continue
    if [ "$r" -gt "$own" ]; then
      echo "$file:$line: $lib includes $target, which sits above it"
      status=1
    fi
    if [ "$lib" != qt ] && [ "$target" = qt ]; then
      echo "$file:$line: only the program's entry point includes the Qt side of the platform"
      status=1
    fi
  done < <(grep -rnE '^\s*#\s*include "[a-z]+/' "$dir" --include='*.h' --include='*.cpp' ${prune:+--exclude-dir="$prune"} || true)
  # Links between the libraries.
  while IFS= read -r cmake; do
    while IFS= read -r target; do
      r=$(rank "$target")
      if [ "$r" -gt "$own" ]; then
        echo "$cmake: korvane_$lib links korvane_$target, which sits above it"
        status=1
      fi
    done < <(grep -ozE 'target_link_libraries\([^)]*\)' "$cmake" | tr '\0' '\n' |
             grep -oE 'korvane_[a-z]+' | sed 's/^korvane_//' | grep -vx "$lib" || true)
  done < <(if [ -n "$prune" ]; then find "$dir" -path "$dir/$prune" -prune -o -name CMakeLists.txt -print; else find "$dir" -name CMakeLists.txt; fi)
}

for dir in "$src"/*/; do
  dir=${dir%/}
  lib=$(basename "$dir")
  if [ "$lib" = platform ]; then
    check_unit "$dir" platform qt
    check_unit "$dir/qt" qt
  else
    check_unit "$dir" "$lib"
  fi
done
[ "$status" -eq 0 ] && echo "check-layers: ${layers[*]}: every include and link runs downward"
exit "$status"
