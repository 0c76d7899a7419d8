#!/usr/bin/env bash
# Times sorting a list of 10,000 rows under Wine: header clicks on each column
# of the local list in the real main window, a refresh that keeps the order,
# and the bare sort of the same rows beside them.
# Usage: bench_sort.sh [build folder]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

BUILD="${1:-$ROOT/build/bench}"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$BUILD" --target bench_sort -j "$JOBS" >/dev/null

cleanup() { stop_wine; stop_display; }
trap cleanup EXIT
ensure_display
start_wine "$BUILD"
(cd "$BUILD/bin" && wine bench_sort.exe)
