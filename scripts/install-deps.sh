#!/usr/bin/env bash
# Installs everything the build, the tests, the installer and the help file need,
# from Debian 12's own packages. Safe to run again: apt-get skips what is there.
set -euo pipefail

packages=(
  cmake make g++ g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine64 wine xvfb xauth x11-utils imagemagick
  python3-pyftpdlib googletest libgtest-dev
  nsis fp-utils xdotool
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
