#!/usr/bin/env bash
# Times sorting a list of 10,000 rows under Wine: header clicks on each column
# of the local list in the real main window, a refresh that keeps the order,
# and the bare sort of the same rows beside them.
# Usage: bench_sort.sh [build folder]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

BUILD="${1:-$ROOT/build/bench}"
run_wine_bench bench_sort "$BUILD"
