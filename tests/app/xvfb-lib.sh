# What the tests that run Korvane on a virtual X display share. Sourced by
# each, right after `set -u`:
#   xvfb_needs TOOL...        skips the test (status 77) when a tool is missing
#   xvfb_enter SIZE BUS ARGS  runs the script again on a display of its own,
#                             SIZE wide x high; BUS "bus" gives it a session
#                             bus of its own too (the program serves scripts
#                             there and must not hand its documents to a
#                             Korvane of the user's), "nobus" does not
#   xvfb_home                 a temporary home in $tmp, removed at the end,
#                             with $pid and $server killed if they are set
#   fail TEXT                 says why and ends the test (calls on_fail first
#                             when the script defines it)
#   wait_for COMMAND...       waits for a command to succeed, $wait_steps
#                             tenths of a second at most (default 150)
#   window_of NAME            the first visible window whose name matches
#   shown_named NAME          a visible window is named exactly NAME

xvfb_lib_dir=$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")

xvfb_needs() {
  local tool
  for tool in xvfb-run Xvfb xdotool "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "skipped: $tool is not installed (scripts/setup.sh installs it)"
      exit 77
    fi
  done
}

xvfb_enter() {
  [ -n "${KORVANE_IN_XVFB:-}" ] && return 0
  local size=$1 bus=$2
  shift 2
  local run=(env KORVANE_IN_XVFB=1)
  [ "$bus" = bus ] && run+=(dbus-run-session --)
  # -noreset: the display stays up when a program's last window closes, so
  # the next program of the test finds it.
  exec "${run[@]}" xvfb-run -a -s "-screen 0 ${size}x24 -noreset" bash "$0" "$@"
}

xvfb_home() {
  tmp=$(mktemp -d)
  trap 'for p in "${pid:-}" "${server:-}"; do [ -n "$p" ] && kill "$p" 2>/dev/null; done; rm -rf "$tmp"' EXIT
  export HOME=$tmp XDG_CONFIG_HOME=$tmp/config QT_QPA_PLATFORM=xcb
  export LSAN_OPTIONS=suppressions=$xvfb_lib_dir/lsan-suppressions.txt
}

fail() {
  echo "FAIL: $*"
  declare -F on_fail >/dev/null && on_fail
  exit 1
}

wait_for() {
  for _ in $(seq "${wait_steps:-150}"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

window_of() {
  local id
  id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1)
  [ -n "$id" ] && echo "$id"
}

shown_named() {
  local w
  for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && return 0
  done
  return 1
}
