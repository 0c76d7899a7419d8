#!/usr/bin/env bash
# Installs what is needed, builds both configurations and runs both suites.
# Ends with one line "N passed, N failed". Exit status 0 only when all passed.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

bash "$ROOT/scripts/install-deps.sh" || exit 1

NATIVE="$ROOT/build/native"
WINDOWS="$ROOT/build/windows"
FTP_PORT="${FTPT_TEST_PORT:-21}"

cleanup() { stop_extra_servers; stop_ftp_server; stop_wine; stop_display; }
trap cleanup EXIT

echo "== Native build (AddressSanitizer, UndefinedBehaviorSanitizer)"
build_native "$NATIVE" -DFTPT_SANITIZE=ON || exit 1
echo "== Windows build (MinGW-w64)"
build_windows "$WINDOWS" || exit 1

rm -rf "$NATIVE/test-results" "$WINDOWS/test-results"
mkdir -p "$NATIVE/test-results" "$WINDOWS/test-results"

echo "== Native suite"
ctest_status=0
(cd "$NATIVE" && ctest --output-on-failure) || ctest_status=1

echo "== Windows suite (Wine, FTP server on 127.0.0.1:$FTP_PORT)"
ensure_display || exit 1
start_wine "$WINDOWS"
unmanaged_wine_windows
start_ftp_server "$FTP_PORT" "$WINDOWS/ftp-root" "$WINDOWS/ftp-server.log" || exit 1
start_extra_servers "$FTP_PORT" "$WINDOWS/ftp-root" "$WINDOWS/ftp-server.log" || exit 1
(cd "$WINDOWS" && ctest --output-on-failure) || ctest_status=1

/usr/bin/python3 "$ROOT/scripts/summarize_results.py" "$NATIVE/test-results" "$WINDOWS/test-results" \
  --ctest-status "$ctest_status"
