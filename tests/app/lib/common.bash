# Shared set-up of the whole-program tests: a display (Xvfb when none is set), a fresh
# settings directory, a harmless browser, and cleanup of everything started.
# Usage in a test: source this file, then `app_setup "$1"`.

set -u

app_fail() {
  echo "FAIL: $*" >&2
  local f
  for f in "${APP_TMP:-/nonexistent}"/out.*.log; do
    [ -s "$f" ] && { echo "--- $f" >&2; tail -20 "$f" >&2; }
  done
  exit 1
}
app_note() { echo "-- $*"; }

app_setup() {
  PELAVO=$(readlink -f "$1")
  [ -x "$PELAVO" ] || app_fail "no program at $1"
  if [ -z "${DISPLAY:-}" ] && [ -z "${APP_UNDER_XVFB:-}" ]; then
    # Run the whole script again under a virtual screen.
    APP_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" bash "$0" "$@"
  fi
  export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
  APP_TMP=$(mktemp -d)
  export XDG_CONFIG_HOME=$APP_TMP/config
  export XDG_DATA_HOME=$APP_TMP/data
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$APP_TMP/bin"
  SETTINGS_DIR=$XDG_CONFIG_HOME/PelavoScr
  # Every way of opening a web page ends in this recorder, never in a real browser.
  OPENED=$APP_TMP/opened.txt
  for b in xdg-open gio sensible-browser x-www-browser firefox; do
    printf '#!/bin/sh\necho "$@" >> %q\n' "$OPENED" > "$APP_TMP/bin/$b"
    chmod +x "$APP_TMP/bin/$b"
  done
  export BROWSER=$APP_TMP/bin/xdg-open
  export PATH=$APP_TMP/bin:$PATH
  APP_PIDS=()
  trap app_cleanup EXIT
  read -r SCREEN_W SCREEN_H < <(xwininfo -root | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')
}

app_cleanup() {
  local p
  for p in "${APP_PIDS[@]}"; do
    kill -9 "$p" 2>/dev/null && wait "$p" 2>/dev/null
  done
  rm -rf "$APP_TMP"
}

# Starts the program in the background; sets APP_PID.
app_start() {
  "$PELAVO" > "$APP_TMP/out.${#APP_PIDS[@]}.log" 2>&1 &
  APP_PID=$!
  APP_PIDS+=("$APP_PID")
}

# Waits (up to $2 seconds, default 20) for a visible window of pid $1; prints its id.
app_wait_window() {
  local pid=$1 limit=${2:-20} w
  for _ in $(seq $((limit * 10))); do
    kill -0 "$pid" 2>/dev/null || return 1
    w=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)
    if [ -n "$w" ]; then echo "$w"; return 0; fi
    sleep 0.1
  done
  return 1
}

# Waits up to $2 seconds for pid $1 to end; sets APP_RC to its exit code (124: still runs).
app_wait_exit() {
  local pid=$1 limit=${2:-10}
  for _ in $(seq $((limit * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" 2>/dev/null
      APP_RC=$?
      return 0
    fi
    sleep 0.1
  done
  APP_RC=124
  return 1
}

# The window's geometry as "x y width height".
app_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X:/{x=$4} /Absolute upper-left Y:/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

# The colour of one screen pixel as "r,g,b" (0..255).
app_pixel() {
  local shot=$1 x=$2 y=$3
  convert "$shot" -format "%[fx:int(255*p{$x,$y}.r)],%[fx:int(255*p{$x,$y}.g)],%[fx:int(255*p{$x,$y}.b)]" info:
}

# Saves a screenshot of the whole screen to $1 (and a copy for people to look at when
# APP_SHOTS names a directory).
app_shot() {
  import -window root "$1" 2>/dev/null || app_fail "cannot take a screenshot"
  if [ -n "${APP_SHOTS:-}" ]; then mkdir -p "$APP_SHOTS"; cp "$1" "$APP_SHOTS/"; fi
}
