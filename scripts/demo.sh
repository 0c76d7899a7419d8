# Shared by run.sh and screenshots.sh: the demo FTP server, the settings copy
# that points the program at it, and finding and photographing its windows.
# Source it after lib.sh.

DEMO_SERVER_PID=""
# Starts scripts/demo_server.py on 127.0.0.1 with a fresh demo folder below
# the given folder. Fails when the port is taken.
start_demo_server() {  # demo folder, port
  local folder="$1" port="$2"
  mkdir -p "$folder"
  rm -f "$folder/server.port"
  /usr/bin/python3 "$ROOT/scripts/demo_server.py" --root "$folder/server" --port "$port" \
    --port-file "$folder/server.port" --log "$folder/server.log" &
  DEMO_SERVER_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$folder/server.port" ] && return 0
    if ! kill -0 "$DEMO_SERVER_PID" 2>/dev/null; then
      DEMO_SERVER_PID=""
      echo "The demo FTP server did not start; is another program using port $port?" >&2
      return 1
    fi
    sleep 0.1
  done
  echo "The demo FTP server did not start within 10 seconds" >&2
  return 1
}

stop_demo_server() {
  if [ -n "$DEMO_SERVER_PID" ]; then
    kill "$DEMO_SERVER_PID" 2>/dev/null || true
    wait "$DEMO_SERVER_PID" 2>/dev/null || true
    DEMO_SERVER_PID=""
  fi
}

# Writes the settings copy of the current WINEPREFIX (see demo_settings.py).
prepare_demo_settings() {  # program folder, demo folder, port, extra arguments...
  local program_folder="$1" folder="$2" port="$3"; shift 3
  /usr/bin/python3 "$ROOT/scripts/demo_settings.py" --program-folder "$program_folder" \
    --server "ftp://127.0.0.1:$port" --user demo --password demo \
    --local-folder "$folder/local" "$@"
}

# Waits until a window with exactly this title is mapped on the display.
wait_for_window() {  # title, seconds
  local title="$1" seconds="${2:-30}" i
  for i in $(seq 1 $((seconds * 5))); do
    if xwininfo -name "$title" 2>/dev/null | grep -q 'Map State: IsViewable'; then
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# Saves the window of that title as a PNG: the whole screen, cut to the
# window's rectangle.
save_window_png() {  # title, output file
  local title="$1" out="$2" info x y w h
  info="$(xwininfo -name "$title" 2>/dev/null)" || return 1
  x="$(sed -n 's/.*Absolute upper-left X: *\(-\?[0-9]*\).*/\1/p' <<<"$info")"
  y="$(sed -n 's/.*Absolute upper-left Y: *\(-\?[0-9]*\).*/\1/p' <<<"$info")"
  w="$(sed -n 's/.*Width: *\([0-9]*\).*/\1/p' <<<"$info")"
  h="$(sed -n 's/.*Height: *\([0-9]*\).*/\1/p' <<<"$info")"
  [ -n "$x" ] && [ -n "$y" ] && [ -n "$w" ] && [ -n "$h" ] || return 1
  # A window reaching over the top or left edge: keep its visible part.
  if [ "$x" -lt 0 ]; then w=$((w + x)); x=0; fi
  if [ "$y" -lt 0 ]; then h=$((h + y)); y=0; fi
  mkdir -p "$(dirname "$out")"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out"
}
