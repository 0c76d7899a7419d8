#!/usr/bin/env bash
# Times a tree of 100 files of 16 KiB in 5 folders through the transfer
# command (main window, the folder row selected, a click), up and down, with
# one and with four simultaneous transfers, against the test server with
# every reply delayed by 0 ms and by 20 ms (a distant server), beside lftp's
# "mirror -R" / "mirror" with --parallel=1 and 4 against the same server in
# the same run. Counts the logins the server saw for each, and the window's
# worst answer time to a second thread meanwhile and while it lists a folder
# of a server that answers 500 ms late.
# Usage: scripts/bench_tree.sh [build folder]   (ports: FTPT_TEST_PORT + 20..22, default 2251..2253)
set -uo pipefail
source "$(dirname "$0")/lib.sh"

BUILD="${1:-$ROOT/build/bench}"
BASE="${FTPT_TEST_PORT:-21}"
[ "$BASE" -eq 21 ] && BASE=2231
PORTS=($((BASE + 20)) $((BASE + 21)) $((BASE + 22)))
DELAYS=(0 20 500)

command -v lftp >/dev/null || { apt-get install -y lftp >/dev/null 2>&1 || { apt-get update >/dev/null && apt-get install -y lftp >/dev/null; }; }

PIDS=()
cleanup() { for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done; stop_wine; stop_display; }
trap cleanup EXIT

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null || exit 1
cmake --build "$BUILD" --target bench_tree -j "$JOBS" >/dev/null || exit 1
ensure_display || exit 1
start_wine "$BUILD"

SERVER_ROOT="$BUILD/ftp-tree-root"
LOCAL="$BUILD/tree-local"
rm -rf "$SERVER_ROOT" "$LOCAL" "$BUILD"/lftp-back-*
mkdir -p "$SERVER_ROOT"
for d in 0 1 2 3 4; do
  mkdir -p "$LOCAL/tree/d$d"
  for f in $(seq 0 19); do head -c 16384 /dev/urandom > "$LOCAL/tree/d$d/f$f.bin"; done
done
for i in 0 1 2; do
  /usr/bin/python3 "$ROOT/tests/ftpserver/server.py" --port "${PORTS[$i]}" --root "$SERVER_ROOT" \
    --log "$BUILD/ftp-tree-${DELAYS[$i]}.log" --delay "${DELAYS[$i]}" 2>/dev/null &
  PIDS+=($!)
  wait_for_port "${PORTS[$i]}" "$!" || { echo "No server on port ${PORTS[$i]}" >&2; exit 1; }
done
export FTPT_FTP_ROOT="$SERVER_ROOT"

logins() { grep -c $'\tUSER ' "$1"; }
# lftp's mirror, timed: "up|down PARALLEL PORT LOG" -> "ms logins"
lftp_timed() {
  local way="$1" parallel="$2" port="$3" log="$4" before start end command
  if [ "$way" = up ]; then
    rm -rf "$SERVER_ROOT/lftp-$parallel"
    command="mirror -R --parallel=$parallel $LOCAL/tree /lftp-$parallel"
  else
    rm -rf "$BUILD/lftp-back-$parallel"
    command="mirror --parallel=$parallel /lftp-$parallel $BUILD/lftp-back-$parallel"
  fi
  before=$(logins "$log")
  start=$(date +%s%N)
  lftp -u tandril,secret -p "$port" -e "set ftp:passive-mode true; set net:max-retries 1; $command; quit" 127.0.0.1 >/dev/null 2>&1
  end=$(date +%s%N)
  echo "$(( (end - start) / 1000000 )) $(( $(logins "$log") - before ))"
}

status=0
printf '\n%-8s %-10s %10s %7s %12s %10s %7s %7s\n' "delay" "transfer" "program" "logins" "worst answer" "lftp" "logins" "ratio"
for i in 0 1; do
  port=${PORTS[$i]} log="$BUILD/ftp-tree-${DELAYS[$i]}.log"
  export FTPT_FTP_PORT="$port" FTPT_FTP_LOG="$log"
  results=$(cd "$BUILD/bin" && wine bench_tree.exe tree "ftp://127.0.0.1:$port" "Z:$log" "Z:$LOCAL" | tr -d '\r') || status=1
  for way in up down; do
    for parallel in 1 4; do
      read -r _ _ ms count worst <<<"$(grep "^@ $way-$parallel " <<<"$results")"
      read -r lms lcount <<<"$(lftp_timed "$way" "$parallel" "$port" "$log")"
      printf '%-8s %-10s %7s ms %7s %9s ms %7s ms %7s %7s\n' "${DELAYS[$i]} ms" "$way x$parallel" "$ms" "$count" \
        "$worst" "$lms" "$lcount" "$(awk -v a="$ms" -v b="$lms" 'BEGIN { if (b > 0) printf "%.2f", a / b }')"
    done
  done
done
export FTPT_FTP_PORT="${PORTS[2]}" FTPT_FTP_LOG="$BUILD/ftp-tree-500.log"
read -r _ _ shown listed worst <<<"$(cd "$BUILD/bin" && wine bench_tree.exe listing "ftp://127.0.0.1:${PORTS[2]}" | tr -d '\r' | grep '^@ listing')"
printf '\nServer answering 500 ms late: window shown after %s ms, first listing after %s ms, worst answer meanwhile %s ms\n' \
  "$shown" "$listed" "$worst"
exit "$status"
