#!/usr/bin/env bash
# Installs what is needed, builds the Windows program and starts it under Wine
# together with a demo FTP server, so that both panes are filled at once.
#
# The demo server listens on 127.0.0.1:2121 (user demo, password demo) and
# serves a fresh folder of a few files below build/windows/demo/server. The
# program's settings copy in its Wine prefix points at it and at the local
# folder build/windows/demo/local, unless you have set up a server of your own
# there. The demo server stops when the program ends.
#
# On a real display the program stays open until you close it. Without one it
# runs on a virtual display: the script waits for the window, saves a
# screenshot, says where, and ends the program.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
source "$ROOT/scripts/demo.sh"

bash "$ROOT/scripts/install-deps.sh" || exit 1
BUILD="$ROOT/build/windows"
DEMO="$BUILD/demo"
DEMO_PORT=2121
echo "== Building the Windows program"
build_windows "$BUILD" >/dev/null || exit 1

virtual=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  virtual=1
fi
ensure_display || exit 1
# The program's own Wine prefix, apart from the one the tests use; Wine
# creates a missing prefix only inside an existing folder.
mkdir -p "$BUILD/run"
start_wine "$BUILD/run"
trap 'stop_wine; stop_demo_server; stop_display' EXIT

echo "== Starting the demo FTP server on 127.0.0.1:$DEMO_PORT (user demo, password demo)"
start_demo_server "$DEMO" "$DEMO_PORT" || exit 1
prepare_demo_settings "$BUILD/bin" "$DEMO" "$DEMO_PORT" || exit 1

echo "== Starting FTPTandril.exe"
wine "$BUILD/bin/FTPTandril.exe" &
program=$!

if [ "$virtual" -eq 0 ]; then
  wait "$program"
  exit 0
fi

if ! wait_for_window "Velmo FTP Tandril 2" 60; then
  echo "The program's window did not appear within 60 seconds" >&2
  exit 1
fi
sleep 1
shot="$BUILD/screenshot.png"
save_window_png "Velmo FTP Tandril 2" "$shot" || import -window root "$shot"
echo "The program runs on a virtual display; its screenshot is $shot"
