# Shared by run.sh, test.sh and the benchmarks: the Windows build, Wine and the display.
# Source it; it sets ROOT and defines the functions below.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="$(nproc 2>/dev/null || echo 2)"

build_native() {  # build folder, extra cmake args...
  local dir="$1"; shift
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
  cmake --build "$dir" -j "$JOBS"
}

build_windows() {  # build folder
  local dir="$1"
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$dir" -j "$JOBS"
}

# A private Wine prefix inside the build folder, never the user's own; one
# wineserver kept alive for the whole run so every process start stays cheap.
start_wine() {  # build folder
  mkdir -p "$1"
  export WINEPREFIX="$1/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
  fi
  wineserver -p >/dev/null 2>&1 || true
}

# Test windows need no window manager: unmanaged, a window closes in
# milliseconds instead of about two seconds under Xvfb.
unmanaged_wine_windows() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
}

stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
}

# Uses the user's display when there is one, otherwise starts a virtual one.
XVFB_PID=""
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n
  for n in 99 98 97 96 95 94; do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start" >&2
  return 1
}

stop_display() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
}

# The test FTP server (Debian's pyftpdlib, always with /usr/bin/python3) on
# 127.0.0.1, with a fresh root folder. Exports FTPT_FTP_ROOT and FTPT_FTP_PORT
# for the tests (and FTPT_FTP_LOG, its command log); stop_ftp_server ends it.
FTP_SERVER_PID=""
start_ftp_server() {  # port, root folder, log file
  local port="$1" root="$2" log="$3"
  rm -rf "$root"; mkdir -p "$root"
  /usr/bin/python3 "$ROOT/tests/ftpserver/server.py" --port "$port" --root "$root" --log "$log" &
  FTP_SERVER_PID=$!
  export FTPT_FTP_ROOT="$root" FTPT_FTP_PORT="$port" FTPT_FTP_LOG="$log"
  local i
  for i in $(seq 1 100); do
    if /usr/bin/python3 -c "import socket,sys; s=socket.socket(); s.settimeout(0.2); sys.exit(s.connect_ex(('127.0.0.1', $port)))" 2>/dev/null; then
      return 0
    fi
    kill -0 "$FTP_SERVER_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "The test FTP server did not start on port $port" >&2
  return 1
}

stop_ftp_server() {
  if [ -n "$FTP_SERVER_PID" ]; then
    kill "$FTP_SERVER_PID" 2>/dev/null || true
    wait "$FTP_SERVER_PID" 2>/dev/null || true
    FTP_SERVER_PID=""
  fi
}

# Builds a benchmark target in a Release folder and runs it under Wine on a
# display; Wine and the display stop when the script ends.
run_wine_bench() {  # target, build folder
  local target="$1" build="$2"
  trap 'stop_wine; stop_display' EXIT
  cmake -S "$ROOT" -B "$build" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null || return 1
  cmake --build "$build" --target "$target" -j "$JOBS" >/dev/null || return 1
  ensure_display || return 1
  start_wine "$build"
  (cd "$build/bin" && wine "$target.exe")
}
