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

# Wait until something listens on the port of 127.0.0.1; false after about 10 s
# or as soon as the process given dies.
wait_for_port() {  # port, pid
  local i
  for i in $(seq 1 100); do
    if /usr/bin/python3 -c "import socket,sys; s=socket.socket(); s.settimeout(0.2); sys.exit(s.connect_ex(('127.0.0.1', $1)))" 2>/dev/null; then
      return 0
    fi
    kill -0 "$2" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# The servers the tests of the transfer modes, time limits and failure reasons
# need beside the test FTP server, on the ports after its port (2232 to 2245
# when it runs on port 21 or 2231). Each port is exported for the tests:
#   +1 FTPT_NOPASV_PORT   the test server refusing PASV (same root, users and log)
#   +2 FTPT_NOPORT_PORT   the test server refusing PORT
#   +3 FTPT_VSFTPD_PASSIVE_PORT  vsftpd with active mode switched off
#   +4 FTPT_VSFTPD_ACTIVE_PORT   vsftpd with passive mode switched off
#   +5 FTPT_SILENT_PORT, +6 FTPT_HANGUP_PORT, +7 FTPT_BUSY_PORT (broken_servers.py)
#   +8 FTPT_CLOSED_PORT   where nothing listens
#   +9 FTPT_STALL_PORT    a server that stalls in the middle of every transfer (broken_servers.py)
#   +10 FTPT_SLOW_PORT      the test server answering every command 150 ms late
#   +11 FTPT_THROTTLED_PORT the test server taking uploads in at 200 kB/s
#   +12 FTPT_ONE_LOGIN_PORT the test server allowing one login a user at a time
#   +13 FTPT_BROKEN_PORT    a listing broken off with 426, an upload without its final reply (broken_servers.py)
#   +14 FTPT_DEAD_PASV_PORT the test server naming passive ports where nothing listens
# vsftpd logs in the account ftpttest (password "secret", made by
# install-deps.sh) into FTPT_VSFTPD_ROOT/home, which is not the server's root.
EXTRA_PIDS=()
VSFTPD_ROOT=""
start_extra_servers() {  # port of the test FTP server, its root, its log
  local base="$1" root="$2" log="$3"
  [ "$base" -eq 21 ] && base=2231
  export FTPT_NOPASV_PORT=$((base + 1)) FTPT_NOPORT_PORT=$((base + 2))
  export FTPT_VSFTPD_PASSIVE_PORT=$((base + 3)) FTPT_VSFTPD_ACTIVE_PORT=$((base + 4))
  export FTPT_SILENT_PORT=$((base + 5)) FTPT_HANGUP_PORT=$((base + 6)) FTPT_BUSY_PORT=$((base + 7))
  export FTPT_CLOSED_PORT=$((base + 8)) FTPT_STALL_PORT=$((base + 9))
  export FTPT_SLOW_PORT=$((base + 10)) FTPT_THROTTLED_PORT=$((base + 11)) FTPT_ONE_LOGIN_PORT=$((base + 12))
  export FTPT_BROKEN_PORT=$((base + 13)) FTPT_DEAD_PASV_PORT=$((base + 14))
  local server="$ROOT/tests/ftpserver/server.py"
  /usr/bin/python3 "$server" --port "$FTPT_NOPASV_PORT" --root "$root" --log "$log" --refuse-pasv &
  EXTRA_PIDS+=($!)
  /usr/bin/python3 "$server" --port "$FTPT_NOPORT_PORT" --root "$root" --log "$log" --refuse-port &
  EXTRA_PIDS+=($!)
  /usr/bin/python3 "$ROOT/tests/ftpserver/broken_servers.py" --silent "$FTPT_SILENT_PORT" \
    --hangup "$FTPT_HANGUP_PORT" --busy "$FTPT_BUSY_PORT" --stall "$FTPT_STALL_PORT" \
    --broken "$FTPT_BROKEN_PORT" &
  EXTRA_PIDS+=($!)

  VSFTPD_ROOT="$(mktemp -d /tmp/ftpt-vsftpd.XXXXXX)"
  chmod 755 "$VSFTPD_ROOT"
  mkdir -p "$VSFTPD_ROOT/home" "$VSFTPD_ROOT/empty"
  chown ftpttest "$VSFTPD_ROOT/home"
  export FTPT_VSFTPD_ROOT="$VSFTPD_ROOT"
  local mode port
  for mode in passive active; do
    if [ "$mode" = passive ]; then port=$FTPT_VSFTPD_PASSIVE_PORT; else port=$FTPT_VSFTPD_ACTIVE_PORT; fi
    cat > "$VSFTPD_ROOT/$mode.conf" <<CONF
listen=YES
listen_ipv6=NO
listen_address=127.0.0.1
listen_port=$port
background=NO
seccomp_sandbox=NO
isolate=NO
isolate_network=NO
anonymous_enable=NO
local_enable=YES
write_enable=YES
local_umask=022
local_root=$VSFTPD_ROOT/home
pam_service_name=ftpt-test
secure_chroot_dir=$VSFTPD_ROOT/empty
connect_from_port_20=NO
pasv_min_port=40100
pasv_max_port=40199
port_enable=$([ "$mode" = passive ] && echo NO || echo YES)
pasv_enable=$([ "$mode" = active ] && echo NO || echo YES)
xferlog_enable=NO
dirmessage_enable=NO
delay_failed_login=0
CONF
    /usr/sbin/vsftpd "$VSFTPD_ROOT/$mode.conf" &
    EXTRA_PIDS+=($!)
  done

  /usr/bin/python3 "$server" --port "$FTPT_SLOW_PORT" --root "$root" --log "$log" --delay 150 &
  EXTRA_PIDS+=($!)
  /usr/bin/python3 "$server" --port "$FTPT_THROTTLED_PORT" --root "$root" --log "$log" --read-limit 200000 &
  EXTRA_PIDS+=($!)
  /usr/bin/python3 "$server" --port "$FTPT_ONE_LOGIN_PORT" --root "$root" --log "$log" --max-logins 1 &
  EXTRA_PIDS+=($!)
  /usr/bin/python3 "$server" --port "$FTPT_DEAD_PASV_PORT" --root "$root" --log "$log" --dead-pasv &
  EXTRA_PIDS+=($!)

  local ports=("$FTPT_NOPASV_PORT" "$FTPT_NOPORT_PORT" "$FTPT_SILENT_PORT" \
               "$FTPT_VSFTPD_PASSIVE_PORT" "$FTPT_VSFTPD_ACTIVE_PORT" \
               "$FTPT_SLOW_PORT" "$FTPT_THROTTLED_PORT" "$FTPT_ONE_LOGIN_PORT" "$FTPT_DEAD_PASV_PORT") i
  for i in 0 1 2 3 4 5 6 7 8; do
    if ! wait_for_port "${ports[$i]}" "${EXTRA_PIDS[$i]}"; then
      echo "No server started on port ${ports[$i]}" >&2
      return 1
    fi
  done
}

stop_extra_servers() {
  local pid
  for pid in "${EXTRA_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  EXTRA_PIDS=()
  [ -n "$VSFTPD_ROOT" ] && rm -rf "$VSFTPD_ROOT"
  VSFTPD_ROOT=""
}
