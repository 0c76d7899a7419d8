#!/usr/bin/env bash
# Installs what is needed, builds the Windows program and starts it under Wine.
# On a real display the program stays open until you close it. Without one it
# runs on a virtual display: the script waits for the window, saves a
# screenshot, says where, and ends the program.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

bash "$ROOT/scripts/install-deps.sh" || exit 1
BUILD="$ROOT/build/windows"
echo "== Building the Windows program"
build_windows "$BUILD" >/dev/null || exit 1

virtual=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  virtual=1
fi
ensure_display || exit 1
# The program's own Wine prefix, apart from the one the tests use.
start_wine "$BUILD/run"
trap 'stop_wine; stop_display' EXIT

echo "== Starting FTPTandril.exe"
wine "$BUILD/bin/FTPTandril.exe" &
program=$!

if [ "$virtual" -eq 0 ]; then
  wait "$program"
  exit 0
fi

for i in $(seq 1 150); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Velmo FTP Tandril 2"'; then
    break
  fi
  sleep 0.2
done
sleep 2
shot="$BUILD/screenshot.png"
import -window root "$shot"
echo "The program runs on a virtual display; its screenshot is $shot"
