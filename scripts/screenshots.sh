#!/usr/bin/env bash
# Makes the pictures of the help file and the README: builds the program,
# starts the demo FTP server and the program on a virtual display of its own
# (fresh Wine prefix, settings pointing at the demo server, English texts),
# and saves the main window, the server profile and the language selection as
# PNGs into help/images/ and docs/, all at 96 DPI, then the main window once
# more at 144 DPI (150 %) for the help. Commit the pictures it changes.
#
# FTPT_BUILD chooses the build folder (default build/windows), FTPT_DEMO_PORT
# the demo server's port (default 2121).
set -uo pipefail
source "$(dirname "$0")/lib.sh"
source "$ROOT/scripts/demo.sh"

bash "$ROOT/scripts/install-deps.sh" || exit 1
BUILD="${FTPT_BUILD:-$ROOT/build/windows}"
SHOTS="$BUILD/screenshots"
DEMO_PORT="${FTPT_DEMO_PORT:-2121}"
MAIN="Velmo FTP Tandril 2"
PROFILE="Velmo FTP Tandril"
LANGUAGES="Language Selection"

fail() {
  echo "screenshots: $*" >&2
  exit 1
}

shoot() {  # window title, file name below help/images
  sleep 1  # let the window finish painting
  save_window_png "$1" "$ROOT/help/images/$2" || fail "cannot save the window \"$1\""
  echo "saved help/images/$2"
}

echo "== Building the Windows program"
build_windows "$BUILD" >/dev/null || fail "the build failed"

# Always a virtual display of the same size, so that the pictures come out
# alike on every machine.
unset DISPLAY
ensure_display || exit 1
rm -rf "$SHOTS"
mkdir -p "$SHOTS"
start_wine "$SHOTS"
trap 'stop_wine; stop_demo_server; stop_display' EXIT

start_demo_server "$SHOTS/demo" "$DEMO_PORT" || exit 1
prepare_demo_settings "$BUILD/bin" "$SHOTS/demo" "$DEMO_PORT" --force --language "[1033]" || exit 1

wine "$BUILD/bin/FTPTandril.exe" &
wait_for_window "$MAIN" 60 || fail "the main window did not appear"
shoot "$MAIN" main-window.png
mkdir -p "$ROOT/docs"
cp "$ROOT/help/images/main-window.png" "$ROOT/docs/screenshot.png"
echo "saved docs/screenshot.png"

# Without a window manager nobody hands out the keyboard focus.
main_id="$(xdotool search --name "^$MAIN\$" | head -n 1)"
[ -n "$main_id" ] || fail "cannot find the main window"
xdotool windowfocus --sync "$main_id"

# The local path box has the focus at the start; the FTP pane's Browse button
# is the sixth control after it in tab order (the local pane's Browse, list,
# New Folder and Delete, then the FTP path box).
xdotool key --delay 150 Tab Tab Tab Tab Tab Tab space
wait_for_window "$PROFILE" 20 || fail "the server profile did not open"
shoot "$PROFILE" server-profile.png
xdotool key Escape
sleep 1

xdotool windowfocus --sync "$main_id"
xdotool key --delay 150 alt+f Return
wait_for_window "$LANGUAGES" 20 || fail "the language selection did not open"
shoot "$LANGUAGES" language-selection.png
xdotool key Escape

# Wine takes the display's DPI from LogPixels when a program starts: end this
# one, set 144 DPI in the prefix and start it again.
stop_wine
wineserver -w >/dev/null 2>&1 || true
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 ||
  fail "cannot set 144 DPI"
# The pointer off the larger window, so that no tooltip shows.
xdotool mousemove 1279 1023
wine "$BUILD/bin/FTPTandril.exe" &
wait_for_window "$MAIN" 60 || fail "the main window did not appear at 144 DPI"
shoot "$MAIN" main-window-144dpi.png
