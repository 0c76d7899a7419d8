#!/bin/sh
# Runs the DPI tests: Wine reads the display's DPI from the user's LogPixels
# value when a process starts, so the value is set in the test prefix for this
# one run and removed again at once; the other test executables keep 96 DPI.
#     run_at_144dpi.sh WINE TEST-EXE [ARGUMENTS...]
wine="$1"
shift
key='HKCU\Control Panel\Desktop'
"$wine" reg add "$key" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 || exit 1
"$wine" "$@"
status=$?
"$wine" reg delete "$key" /v LogPixels /f >/dev/null 2>&1
exit $status
