#!/usr/bin/env bash
# Installs the Debian packages Korvane needs to build, run and test.
# Usage: scripts/setup.sh [extra-package ...]
set -euo pipefail

packages=(
  "$@"
  cmake ninja-build g++
  qt6-base-dev qt6-qpa-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core libfontconfig-dev xdg-utils
  dbus libglib2.0-bin
  tcsh telnet openssh-client openssh-server ckermit
  xvfb xdotool xclip procps
  socat
  pkg-config libcanberra-dev sound-theme-freedesktop
  ncurses-bin ncurses-term xterm vim less dialog locales
  poppler-utils cups-client cups printer-driver-cups-pdf
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null; then
  sudo=(sudo)
else
  echo "setup: these packages are missing and I am not root: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
