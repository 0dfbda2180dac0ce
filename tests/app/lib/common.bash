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

# True when the program under test is built with the address sanitizer: it runs several
# times slower, so its first frames come slower than the tank's steps.
app_sanitized() { ldd "$PELAVO" 2>/dev/null | grep -q 'libasan'; }

# Runs "${@:3}" with DISPLAY on a virtual X screen of its own: $1 is WIDTHxHEIGHT or
# WIDTHxHEIGHTxDEPTH (depth 24 when left out), $2 further server options (may be empty).
# Returns the command's code. The server picks a free display number itself (-displayfd), so
# tests that run side by side never race for one. APP_SCREEN_PID is the server's pid.
app_on_own_screen() {
  local geometry=$1 extra=$2 dir n="" rc
  shift 2
  [[ $geometry =~ ^[0-9]+x[0-9]+$ ]] && geometry=${geometry}x24
  dir=$(mktemp -d)
  # -noreset: the server must not reset (and refuse connections meanwhile) each time the
  # last client leaves just as the next connects.
  # shellcheck disable=SC2086
  Xvfb -displayfd 3 -screen 0 "$geometry" -noreset -nolisten tcp $extra 3> "$dir/display" \
    > "$dir/xvfb.log" 2>&1 &
  APP_SCREEN_PID=$!
  for _ in $(seq 100); do
    n=$(sed -n '1{/^[0-9][0-9]*$/p}' "$dir/display" 2>/dev/null)
    [ -n "$n" ] && break
    kill -0 "$APP_SCREEN_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$n" ]; then
    echo "FAIL: no virtual screen: $(tail -3 "$dir/xvfb.log")" >&2
    kill "$APP_SCREEN_PID" 2>/dev/null
    rm -rf "$dir"
    return 1
  fi
  APP_UNDER_XVFB=1 DISPLAY=:$n "$@"
  rc=$?
  app_end_screen
  rm -rf "$dir"
  return $rc
}

# Ends the virtual screen APP_SCREEN_PID: asked first, then, if it has not gone within five
# seconds, for certain.
app_end_screen() {
  local killer
  kill "$APP_SCREEN_PID" 2>/dev/null
  ( sleep 5; kill -9 "$APP_SCREEN_PID" ) > /dev/null 2>&1 &
  killer=$!
  wait "$APP_SCREEN_PID" 2>/dev/null
  pkill -P "$killer" 2>/dev/null
  kill "$killer" 2>/dev/null
  wait "$killer" 2>/dev/null
}

# Runs the whole script again ("${@:3}" its arguments) on a screen of its own (see
# app_on_own_screen for $1 and $2) and ends with its code.
app_run_on_own_screen() {
  local geometry=$1 extra=$2
  shift 2
  # Ended from outside (the test driver's time limit), the server goes too.
  trap '[ -n "${APP_SCREEN_PID:-}" ] && kill "$APP_SCREEN_PID" 2>/dev/null; exit 1' INT TERM HUP
  APP_PRIVATE_SCREEN=$geometry app_on_own_screen "$geometry" "$extra" bash "$0" "$@"
  exit $?
}

# Runs the whole script again on a virtual screen of its own, of size $1 (WIDTHxHEIGHT), so a
# window manager or a screen size of the test's own touches no other test. Call it first.
app_private_screen() {
  local size=$1
  shift
  [ -n "${APP_PRIVATE_SCREEN:-}" ] || app_run_on_own_screen "$size" "" "$@"
}

app_setup() {
  PELAVO=$(readlink -f "$1")
  [ -x "$PELAVO" ] || app_fail "no program at $1"
  # Without a display, or when the test runner asks for it (so tests can run side by side),
  # the whole script runs again on a screen of its own.
  if [ -z "${APP_UNDER_XVFB:-}" ] && { [ -z "${DISPLAY:-}" ] || [ -n "${APP_OWN_SCREEN:-}" ]; }; then
    app_run_on_own_screen 1920x1080 "" "$@"
  fi
  export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
  # How much longer the waits for the program's windows and pictures may take: a sanitizer
  # build runs several times slower, and tests run two side by side.
  APP_WAIT_FACTOR=1
  app_sanitized && APP_WAIT_FACTOR=3
  # No accessibility bridge: an accessibility bus that an earlier test's session left on the
  # shared screen (its socket gone with that test's runtime directory) would make every
  # later start print a warning.
  export NO_AT_BRIDGE=1
  APP_TMP=$(mktemp -d)
  export XDG_CONFIG_HOME=$APP_TMP/config
  export XDG_DATA_HOME=$APP_TMP/data
  # The running-copy locks live here: a test never meets a copy that runs outside it.
  export XDG_RUNTIME_DIR=$APP_TMP/run
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$APP_TMP/bin" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
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
  trap 'exit 1' INT TERM HUP
  app_watchdog
  read -r SCREEN_W SCREEN_H < <(xwininfo -root | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')
}

# With APP_TIME_LIMIT set (seconds), a test that runs that long says where it stopped: the
# script traces its steps into a file, and a watchdog prints the last of them, the commands
# still running and the program's output, then ends those commands and the script, so the
# test fails with that said instead of being killed silently by the test driver.
app_watchdog() {
  [ -n "${APP_TIME_LIMIT:-}" ] || return 0
  local script=$$ trace=$APP_TMP/trace.log
  exec {APP_TRACE_FD}> "$trace"
  BASH_XTRACEFD=$APP_TRACE_FD
  PS4='+ ${BASH_SOURCE[0]##*/}:${LINENO}: '
  (
    set +x
    sleep "$APP_TIME_LIMIT" > /dev/null 2>&1 < /dev/null
    # What runs below the script, leaving out this watchdog and what it runs.
    me=$BASHPID
    app_descendants "$me" > "$APP_TMP/mine.txt"
    echo "$me" >> "$APP_TMP/mine.txt"
    app_descendants "$script" | grep -v -x -F -f "$APP_TMP/mine.txt" > "$APP_TMP/left.txt"
    {
      echo "FAIL: still running after $APP_TIME_LIMIT s; the script's last steps:"
      tail -15 "$trace"
      echo "--- still running:"
      xargs -r ps -o pid=,etimes=,args= -p < "$APP_TMP/left.txt"
      for log in "$APP_TMP"/out.*.log; do
        [ -s "$log" ] && { echo "--- $log"; tail -20 "$log"; }
      done
    } >&2
    # The script first: it ends (failing) as soon as the command it waits for is ended.
    kill -TERM "$script" 2>/dev/null
    xargs -r kill -TERM < "$APP_TMP/left.txt" 2>/dev/null
  ) &
  APP_WATCHDOG_PID=$!
  disown "$APP_WATCHDOG_PID"  # no word from the shell when it is stopped
  set -x
}

# Stops the watchdog of a test that ends in time: the watchdog first (so that it cannot
# take the end of its sleep for the time running out), then its sleep.
app_watchdog_stop() {
  set +x
  [ -n "${APP_WATCHDOG_PID:-}" ] || return 0
  local sleeper
  sleeper=$(pgrep -P "$APP_WATCHDOG_PID")
  kill -9 "$APP_WATCHDOG_PID" 2>/dev/null
  [ -n "$sleeper" ] && kill $sleeper 2>/dev/null
  APP_WATCHDOG_PID=
}

# The process ids below $1 (children, theirs, and so on).
app_descendants() {
  ps -e -o pid=,ppid= | awk -v root="$1" '
    { parent[$1] = $2 }
    END { for (p in parent) for (q = parent[p]; q != ""; q = parent[q]) if (q == root) { print p; break } }'
}

app_cleanup() {
  local p
  app_watchdog_stop
  for p in "${APP_PIDS[@]}"; do
    kill -9 "$p" 2>/dev/null && wait "$p" 2>/dev/null
  done
  rm -rf "$APP_TMP"
}

# Starts the program in the background with options $@; sets APP_PID.
app_start() {
  "$PELAVO" "$@" > "$APP_TMP/out.${#APP_PIDS[@]}.log" 2>&1 &
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

# Polls the command "${@:2}" every 0.1 s until it succeeds, for up to $1 seconds (times
# APP_WAIT_FACTOR, for a slow build).
app_until() {
  local end=$((SECONDS + $1 * ${APP_WAIT_FACTOR:-1}))
  shift
  while :; do
    "$@" && return 0
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}

# Distinct colours in a 64x36 thumbnail of the screen: a drawn tank has many, an empty
# screen or window one or two.
app_screen_colours() {
  local shot=$APP_TMP/screen.$RANDOM.png
  app_shot "$shot"
  convert "$shot" -scale 64x36\! -unique-colors -format '%w' info:
  rm -f "$shot"
}
app_shows_tank() { [ "$(app_screen_colours)" -ge 8 ]; }

# The window's geometry as "x y width height"; nothing, and false, without a window id
# (given none, xwininfo would wait for a click on some window).
app_geometry() {
  [ -n "$1" ] || { echo "app_geometry: no window id" >&2; return 1; }
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

# Starts window manager $1 (mutter, in X11 mode inside a D-Bus session, or openbox) and a
# tint2 panel, and waits until both run. Sets PANEL (the panel's window id).
app_start_desktop() {
  case "$1" in
    mutter)
      eval "$(dbus-launch --sh-syntax)"
      APP_PIDS+=("$DBUS_SESSION_BUS_PID")
      mutter --x11 --replace --sm-disable > "$APP_TMP/wm.log" 2>&1 & ;;
    openbox)
      openbox > "$APP_TMP/wm.log" 2>&1 & ;;
    *) app_fail "unknown window manager $1" ;;
  esac
  APP_PIDS+=("$!")
  local wm_up=0
  for _ in $(seq 100); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then wm_up=1; break; fi
    sleep 0.1
  done
  [ "$wm_up" -eq 1 ] || app_fail "$1 did not start: $(tail -5 "$APP_TMP/wm.log")"
  tint2 > "$APP_TMP/panel.log" 2>&1 &
  APP_PIDS+=("$!")
  PANEL=
  for _ in $(seq 100); do
    PANEL=$(xdotool search --class tint2 2>/dev/null | head -1)
    [ -n "$PANEL" ] && break
    sleep 0.1
  done
  [ -n "$PANEL" ] || app_fail "the tint2 panel did not appear"
  sleep 1
}

# Writes a settings file with no pool fish, so the food and the picture stay in view.
app_settings_without_fish() {
  mkdir -p "$SETTINGS_DIR"
  { echo "[Fish Number]"; for i in 0 1 2 3 4 5 6 7 8 9; do echo "Fish$i=0"; done; } \
    >> "$SETTINGS_DIR/PelavoSet.ini"
}

# The food pellet's colour: unlit and untextured, so a screenshot shows it exactly.
APP_FOOD_COLOUR="rgb(243,225,159)"

# Clicks (left) at $1, $2 in Feed mode and prints the centre "x y" of the food-coloured
# pixels within 150 pixels of the click, as the screen shows it a moment later; nothing when
# there are none.
app_feed_and_find_food() {
  local x=$1 y=$2 shot=$APP_TMP/food.$RANDOM.png box
  local left=$((x - 150)) top=$((y - 150))
  [ "$left" -lt 0 ] && left=0
  [ "$top" -lt 0 ] && top=0
  xdotool mousemove "$x" "$y"
  sleep 0.3
  xdotool click 1
  for _ in $(seq $((6 * ${APP_WAIT_FACTOR:-1}))); do
    sleep 0.25
    app_shot "$shot"
    box=$(convert "$shot" -crop "300x300+${left}+${top}" +repage -fill black \
      +opaque "$APP_FOOD_COLOUR" -format '%@' info: 2>/dev/null)
    # %@ is the bounding box "WxH+X+Y" of what is not black; an empty or whole box means no
    # food there (yet).
    [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || continue
    local w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} bx=${BASH_REMATCH[3]} by=${BASH_REMATCH[4]}
    [ "$w" -ge 1 ] && [ "$w" -lt 300 ] || continue
    echo "$((left + bx + w / 2)) $((top + by + h / 2))"
    return 0
  done
}

# Mean difference (0..1) of region $3 (WxH+X+Y) between screenshots $1 and $2.
app_region_difference() {
  local a=$APP_TMP/region-a.png b=$APP_TMP/region-b.png
  convert "$1" -crop "$3" +repage "$a"
  convert "$2" -crop "$3" +repage "$b"
  compare -metric MAE "$a" "$b" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p'
}

# Pixels that differ (beyond 2 %) in region $3 between screenshots $1 and $2.
app_region_changed() {
  local a=$APP_TMP/region-a.png b=$APP_TMP/region-b.png
  convert "$1" -crop "$3" +repage "$a"
  convert "$2" -crop "$3" +repage "$b"
  compare -metric AE -fuzz 2% "$a" "$b" null: 2>&1 | sed 's/[ .].*//'
}

# Buffer swaps counted by the swap counter (tests/tools/swap_counter.c) preloaded into the
# program: app_swaps FILE prints the count so far.
APP_SWAP_COUNTER=
app_swaps() { cat "$1" 2>/dev/null | tr -dc '0-9' || true; }

# Waits until counter file $1 shows at least $2 swaps, for up to $3 seconds (longer under
# the sanitizers).
app_wait_swaps() { app_until "$3" app_swaps_at_least "$1" "$2"; }
app_swaps_at_least() { local n; n=$(app_swaps "$1"); [ "${n:-0}" -ge "$2" ]; }

# Swaps a second over $2 seconds, read from counter file $1 (one decimal place).
app_swap_rate() {
  local file=$1 seconds=$2 a b t0 t1
  a=$(app_swaps "$file"); t0=$(date +%s.%N)
  sleep "$seconds"
  b=$(app_swaps "$file"); t1=$(date +%s.%N)
  awk -v a="${a:-0}" -v b="${b:-0}" -v t0="$t0" -v t1="$t1" 'BEGIN{printf "%.1f", (b - a) / (t1 - t0)}'
}

# The visible windows of pid $1 smaller than the screen (message boxes, dialogs), one id a line.
app_small_windows() {
  local w x y ww hh
  for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
    read -r x y ww hh < <(app_geometry "$w")
    [ "$ww" -lt "$SCREEN_W" ] && echo "$w"
  done
  return 0
}

# Waits up to $2 seconds for a message box of pid $1 and dismisses it with Return; prints
# its title. Fails when none comes.
app_dismiss_message() {
  local pid=$1 limit=${2:-20} box=
  for _ in $(seq $((limit * 10))); do
    box=$(app_small_windows "$pid" | head -1)
    [ -n "$box" ] && break
    sleep 0.1
  done
  [ -n "$box" ] || app_fail "no message box appeared"
  xdotool getwindowname "$box"
  sleep 0.5
  xdotool windowfocus --sync "$box" 2>/dev/null
  xdotool key --clearmodifiers Return
  for _ in $(seq 50); do
    xwininfo -id "$box" 2>/dev/null | grep -q IsViewable || return 0
    sleep 0.1
  done
  app_fail "the message box did not close"
}

# Opens the menu with a right click at $1, $2 and checks that it shows there. A busy
# machine may show it late, or lose a click that comes while the window is still settling,
# so the check looks again for a while and a second right click is allowed after Escape.
app_menu_opens_at() {
  local cx=$1 cy=$2 attempt
  for attempt in 1 2; do
    xdotool mousemove "$cx" "$cy"
    sleep 0.3
    xdotool click 3
    app_menu_shows_at "$cx" "$cy" && return 0
    xdotool key Escape
    sleep 1
  done
  return 1
}

# Whether the menu shows with its corner at $1, $2 within a few seconds (longer under the
# sanitizers): its first item's grey edge and the light face beside it.
app_menu_shows_at() {
  local cx=$1 cy=$2 shot=$APP_TMP/menu.$RANDOM.png end
  end=$((SECONDS + 3 * ${APP_WAIT_FACTOR:-1}))
  sleep 0.5
  while :; do
    app_shot "$shot"
    [ "$(app_pixel "$shot" $((cx + 2)) $((cy + 48 + 2)))" = "219,216,209" ] &&
      [ "$(app_pixel "$shot" $((cx + 120)) $((cy + 48 + 4)))" = "249,248,247" ] && return 0
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.3
  done
}

# With the menu open at $1, $2, picks its item $3 (0 = the first).
app_menu_pick() {
  local cx=$1 cy=$2 item=$3
  xdotool mousemove $((cx + 60)) $((cy + item * 48 + 20))
  sleep 0.3
  xdotool mousemove $((cx + 70)) $((cy + item * 48 + 24))
  sleep 0.3
  xdotool click 1
}
