#!/usr/bin/env bash
# Times the local list's fill for a folder of 10,000 files under Wine, beside a
# bare directory walk of the same folder. Usage: bench_localpane.sh [build folder]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

BUILD="${1:-$ROOT/build/bench}"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$BUILD" --target bench_localpane -j "$JOBS" >/dev/null

cleanup() { stop_wine; stop_display; }
trap cleanup EXIT
ensure_display
start_wine "$BUILD"
(cd "$BUILD/bin" && wine bench_localpane.exe)
