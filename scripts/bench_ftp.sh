#!/usr/bin/env bash
# Runs every FTP engine operation against a local test server beside a
# hand-written WinINet sequence doing the same job, and prints per operation
# the FTP commands the server received and the median wall times.
# Usage: scripts/bench_ftp.sh [rounds [title filter]]   (port: FTPT_TEST_PORT, default 21)
set -uo pipefail
source "$(dirname "$0")/lib.sh"

BUILD="$ROOT/build/bench"
PORT="${FTPT_TEST_PORT:-21}"
ROUNDS="${1:-15}"
FILTER="${2:-}"

cleanup() { stop_ftp_server; stop_wine; }
trap cleanup EXIT

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null || exit 1
cmake --build "$BUILD" --target ftp_bench -j "$JOBS" >/dev/null || exit 1

start_wine "$BUILD"
rm -f "$BUILD/ftp-bench.log"
start_ftp_server "$PORT" "$BUILD/ftp-bench-root" "$BUILD/ftp-bench.log" || exit 1
(cd "$BUILD/bin" && wine ftp_bench.exe "$ROUNDS" "$FILTER" </dev/null)
