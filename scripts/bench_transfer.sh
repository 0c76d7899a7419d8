#!/usr/bin/env bash
# Times the transfer command (main window, rows selected, a click on the
# transfer button) for a 100-file tree and a 200 MiB file in both directions,
# beside the same engine calls made directly, against a local test server.
# Usage: scripts/bench_transfer.sh [rounds [build folder]]   (port: FTPT_TEST_PORT, default 21)
set -uo pipefail
source "$(dirname "$0")/lib.sh"

ROUNDS="${1:-3}"
BUILD="${2:-$ROOT/build/bench}"
PORT="${FTPT_TEST_PORT:-21}"

cleanup() { stop_ftp_server; stop_wine; stop_display; }
trap cleanup EXIT

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null || exit 1
cmake --build "$BUILD" --target bench_transfer -j "$JOBS" >/dev/null || exit 1

ensure_display || exit 1
start_wine "$BUILD"
start_ftp_server "$PORT" "$BUILD/ftp-bench-root" "$BUILD/ftp-bench.log" || exit 1
(cd "$BUILD/bin" && wine bench_transfer.exe "$ROUNDS" </dev/null)
