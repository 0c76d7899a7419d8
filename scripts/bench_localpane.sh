#!/usr/bin/env bash
# Times the local list's fill for a folder of 10,000 files under Wine, beside a
# bare directory walk of the same folder. Usage: bench_localpane.sh [build folder]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

BUILD="${1:-$ROOT/build/bench}"
run_wine_bench bench_localpane "$BUILD"
