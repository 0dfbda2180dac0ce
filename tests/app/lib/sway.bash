# A headless sway for the whole-program tests: the compositor and the program run natively
# as an unprivileged user (sway will not run as root), each sway with a runtime directory of
# its own, no X anywhere. Everything started here ends when the script exits.
# Usage: source this file, then `sway_setup "$1"`; `sway_start RATE` for an output of
# SWAY_W x SWAY_H at RATE Hz, `sway_start_program` for the tank on it, `sway_stop` after.

source "$(dirname "${BASH_SOURCE[0]}")/common.bash"

SWAY_W=${SWAY_W:-640}
SWAY_H=${SWAY_H:-360}
# The user sway and the program run as when the script runs as root.
SWAY_TEST_USER=${SWAY_TEST_USER:-pelavo-test}

sway_setup() {
  PELAVO=$(readlink -f "$1")
  [ -x "$PELAVO" ] || app_fail "no program at $1"
  local tool
  for tool in sway swaymsg grim wtype jq convert; do
    command -v "$tool" > /dev/null || app_fail "$tool is missing (Debian packages sway, grim, wtype, jq, imagemagick)"
  done
  SWAY_COUNTER=$(dirname "$PELAVO")/tests/swap_counter.so
  [ -f "$SWAY_COUNTER" ] || app_fail "no swap counter at $SWAY_COUNTER"
  # The pointer for the tests that click (sway_click): headless sway has no pointer device.
  SWAY_POINTER_TOOL=$(dirname "$PELAVO")/tests/virtual_pointer
  # Waits may take longer for a sanitizer build, as in app_setup.
  APP_WAIT_FACTOR=1
  app_sanitized && APP_WAIT_FACTOR=3
  APP_TMP=$(mktemp -d)
  APP_PIDS=()
  SWAY_PID=
  trap sway_cleanup EXIT
  # Ended from outside (a test driver's time limit, Ctrl-C), the cleanup runs all the same.
  trap 'exit 1' INT TERM HUP
  app_watchdog
  if [ "$(id -u)" -eq 0 ]; then
    id -u "$SWAY_TEST_USER" > /dev/null 2>&1 || useradd -m "$SWAY_TEST_USER" ||
      app_fail "cannot create the user $SWAY_TEST_USER"
    SWAY_USER=$SWAY_TEST_USER
    SWAY_AS=(setpriv --reuid="$SWAY_USER" --regid="$SWAY_USER" --init-groups)
  else
    SWAY_USER=$(id -un)
    SWAY_AS=()
  fi
  SWAY_HOME=$(getent passwd "$SWAY_USER" | cut -d: -f6)
  [ -d "$SWAY_HOME" ] || SWAY_HOME=$APP_TMP/home
  # The user reads the scratch directory; what it writes goes to $SWAY_DATA, its own.
  chmod 755 "$APP_TMP"
  SWAY_DATA=$APP_TMP/data
  mkdir -p "$SWAY_DATA/config/PelavoScr" "$SWAY_DATA/share" "$APP_TMP/home"
  [ -n "${SWAY_AS[*]}" ] && chown -R "$SWAY_USER:" "$SWAY_DATA" "$APP_TMP/home"
  SETTINGS_DIR=$SWAY_DATA/config/PelavoScr
  # A build in a folder the user cannot reach (root's home in CI) runs from a copy.
  if ! sway_as test -x "$PELAVO" || ! sway_as test -r "$SWAY_COUNTER" ||
    { [ -x "$SWAY_POINTER_TOOL" ] && ! sway_as test -x "$SWAY_POINTER_TOOL"; }; then
    mkdir -p "$APP_TMP/prog/tests"
    cp "$PELAVO" "$APP_TMP/prog/pelavo"
    cp "$SWAY_COUNTER" "$APP_TMP/prog/tests/swap_counter.so"
    if [ -x "$SWAY_POINTER_TOOL" ]; then
      cp "$SWAY_POINTER_TOOL" "$APP_TMP/prog/tests/virtual_pointer"
      SWAY_POINTER_TOOL=$APP_TMP/prog/tests/virtual_pointer
    fi
    [ -f "$(dirname "$PELAVO")/about.html" ] && cp "$(dirname "$PELAVO")/about.html" "$APP_TMP/prog/"
    chmod -R a+rX "$APP_TMP/prog"
    PELAVO=$APP_TMP/prog/pelavo
    SWAY_COUNTER=$APP_TMP/prog/tests/swap_counter.so
  fi
}

# Runs "$@" as the test user with only the session's environment (no DISPLAY, no X): the
# runtime directory and socket of the sway that runs, if one does.
sway_as() {
  env -i "${SWAY_AS[@]}" env HOME="$SWAY_HOME" PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 \
    XDG_RUNTIME_DIR="${SWAY_RUN:-$APP_TMP}" XDG_CONFIG_HOME="$SWAY_DATA/config" \
    XDG_DATA_HOME="$SWAY_DATA/share" ${SWAY_SOCKET:+WAYLAND_DISPLAY=$SWAY_SOCKET} \
    ${SWAY_IPC:+SWAYSOCK=$SWAY_IPC} "$@"
}

# Starts sway with one headless output of SWAY_W x SWAY_H at $1 Hz and waits until its
# Wayland and IPC sockets answer and the output runs in that mode. Keys typed with wtype do
# not repeat (a virtual keyboard goes away right after its key, and a repeat the toolkit
# began meanwhile would press the key again). Sets SWAY_PID, SWAY_RUN, SWAY_SOCKET, SWAY_IPC.
sway_start() {
  local rate=$1 conf=$APP_TMP/sway-$1.conf
  [ -z "$SWAY_PID" ] || app_fail "a sway runs already"
  SWAY_RUN=$APP_TMP/run-$rate
  mkdir -p "$SWAY_RUN"
  chmod 700 "$SWAY_RUN"
  [ -n "${SWAY_AS[*]}" ] && chown "$SWAY_USER:" "$SWAY_RUN"
  cat > "$conf" << EOF
output HEADLESS-1 mode --custom ${SWAY_W}x${SWAY_H}@${rate}Hz position 0 0
xwayland disable
input type:keyboard {
  repeat_rate 0
  repeat_delay 10000
}
default_border none
focus_on_window_activation focus
EOF
  chmod 644 "$conf"
  SWAY_SOCKET= SWAY_IPC=
  (cd "$SWAY_RUN" && exec env -i "${SWAY_AS[@]}" env HOME="$SWAY_HOME" PATH=/usr/bin:/bin \
    XDG_RUNTIME_DIR="$SWAY_RUN" XDG_CONFIG_HOME="$SWAY_DATA/config" WLR_BACKENDS=headless \
    WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 sway -c "$conf" > "$APP_TMP/sway-$rate.log" 2>&1) &
  SWAY_PID=$!
  local sock ipc
  for _ in $(seq 100); do
    sock=$(cd "$SWAY_RUN" && ls wayland-[0-9]* 2>/dev/null | grep -v lock | head -1)
    ipc=$(ls "$SWAY_RUN"/sway-ipc.*.sock 2>/dev/null | head -1)
    [ -n "$sock" ] && [ -n "$ipc" ] && break
    kill -0 "$SWAY_PID" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$sock" ] && [ -n "$ipc" ] || app_fail "sway did not start: $(tail -5 "$APP_TMP/sway-$rate.log")"
  SWAY_SOCKET=$sock
  SWAY_IPC=$ipc
  local mode=""
  for _ in $(seq 50); do
    mode=$(sway_as swaymsg -r -t get_outputs 2>/dev/null |
      jq -r '.[] | select(.name == "HEADLESS-1") | "\(.current_mode.width)x\(.current_mode.height)@\(.current_mode.refresh)"')
    [ "$mode" = "${SWAY_W}x${SWAY_H}@$((rate * 1000))" ] && return 0
    sleep 0.1
  done
  app_fail "sway's output runs at $mode, not ${SWAY_W}x${SWAY_H} at $rate Hz"
}

# Ends the running sway and checks that it took its sockets with it.
sway_stop() {
  [ -n "$SWAY_PID" ] || return 0
  kill "$SWAY_PID" 2>/dev/null
  for _ in $(seq 50); do kill -0 "$SWAY_PID" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$SWAY_PID" 2>/dev/null
  wait "$SWAY_PID" 2>/dev/null
  SWAY_PID=
  [ -e "$SWAY_RUN/$SWAY_SOCKET" ] && app_fail "sway left its socket $SWAY_SOCKET behind"
  rm -rf "$SWAY_RUN"
  SWAY_SOCKET= SWAY_IPC= SWAY_RUN=
}

sway_cleanup() {
  local p
  app_watchdog_stop
  for p in "${APP_PIDS[@]}"; do
    kill -9 "$p" 2>/dev/null && wait "$p" 2>/dev/null
  done
  if [ -n "$SWAY_PID" ]; then
    kill "$SWAY_PID" 2>/dev/null
    for _ in $(seq 30); do kill -0 "$SWAY_PID" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$SWAY_PID" 2>/dev/null && wait "$SWAY_PID" 2>/dev/null
  fi
  rm -rf "$APP_TMP"
}

# Starts the program natively on the running sway with the swap counter preloaded (the count
# in $SWAY_SWAPS, a fresh file each start), with the environment settings given as arguments
# (the sanitizers' settings of a sanitizer build pass through), and the program's options
# in the array SWAY_PROGRAM_ARGS when set.
# Sets APP_PID (the program itself) and SWAY_SWAPS.
sway_start_program() {
  SWAY_SWAPS=$SWAY_DATA/swaps.${#APP_PIDS[@]}
  rm -f "$SWAY_SWAPS"
  local log=$APP_TMP/out.${#APP_PIDS[@]}.log
  (cd "$SWAY_DATA" && exec env -i "${SWAY_AS[@]}" env HOME="$SWAY_HOME" PATH=/usr/bin:/bin \
    LANG=C.UTF-8 XDG_RUNTIME_DIR="$SWAY_RUN" XDG_CONFIG_HOME="$SWAY_DATA/config" \
    XDG_DATA_HOME="$SWAY_DATA/share" WAYLAND_DISPLAY="$SWAY_SOCKET" GDK_BACKEND=wayland \
    SDL_AUDIODRIVER=dummy NO_AT_BRIDGE=1 BROWSER=/bin/true LD_PRELOAD="$SWAY_COUNTER" \
    ${ASAN_OPTIONS:+ASAN_OPTIONS=$ASAN_OPTIONS} ${UBSAN_OPTIONS:+UBSAN_OPTIONS=$UBSAN_OPTIONS} \
    ${LSAN_OPTIONS:+LSAN_OPTIONS=$LSAN_OPTIONS} \
    PELAVO_SWAP_COUNT_FILE="$SWAY_SWAPS" "$@" "$PELAVO" ${SWAY_PROGRAM_ARGS[@]+"${SWAY_PROGRAM_ARGS[@]}"} \
    > "$log" 2>&1) &
  APP_PID=$!
  APP_PIDS+=("$APP_PID")
}

# Ends the program with SIGTERM and checks it ends with code 0.
sway_end_program() {
  kill -TERM "$APP_PID" 2>/dev/null
  app_wait_exit "$APP_PID" 15 || app_fail "the program did not end on SIGTERM"
  [ "$APP_RC" -eq 0 ] || app_fail "the program ended with code $APP_RC on SIGTERM"
}

# Prints whether the program's window (pid $1) is full screen on the output: 1 or 0, or
# nothing while sway knows no window of it.
sway_fullscreen() {
  sway_as swaymsg -r -t get_tree 2>/dev/null |
    jq -r --argjson pid "$1" '[.. | objects | select(.pid? == $pid)] | first | .fullscreen_mode // empty'
}

# The compositor's screenshot of the output, as a binary PPM in $1 (fast: no compression);
# with $2 (WxH+X+Y) only that region.
sway_shot() {
  sway_as grim -t ppm ${2:+-g "$(sed -E 's/^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$/\3,\4 \1x\2/' <<< "$2")"} "$1"
}

# Types key $1 (an XKB key name) with a virtual keyboard of its own. The keyboard comes
# first and the key a moment later: the program binds the seat's keyboard only once the
# seat has one, and a key sent before that never reaches it.
sway_key() {
  sway_as wtype -s 400 -k "$1" -s 200
}

# The compositor's own pace: frames a second of weston-simple-egl (which draws a triangle at
# each frame callback) over $1 seconds, counted by the same swap counter. wlroots' headless
# output times its frames in whole milliseconds, so its pace is not quite the nominal rate.
sway_pace() {
  command -v weston-simple-egl > /dev/null || app_fail "weston-simple-egl is missing (Debian package weston)"
  local file=$SWAY_DATA/pace.swaps pid rate
  rm -f "$file"
  (cd "$SWAY_DATA" && exec env -i "${SWAY_AS[@]}" env HOME="$SWAY_HOME" PATH=/usr/bin:/bin \
    XDG_RUNTIME_DIR="$SWAY_RUN" WAYLAND_DISPLAY="$SWAY_SOCKET" LD_PRELOAD="$SWAY_COUNTER" \
    PELAVO_SWAP_COUNT_FILE="$file" weston-simple-egl -f > "$APP_TMP/pace.log" 2>&1) &
  pid=$!
  APP_PIDS+=("$pid")
  for _ in $(seq 50); do [ -s "$file" ] && break; sleep 0.1; done
  sleep 1
  rate=$(app_swap_rate "$file" "$1")
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  echo "$rate"
}

# The seat's pointer (headless sway has none of its own): one virtual pointer device that
# lives from sway_pointer_start to sway_pointer_stop, as a mouse would, and takes the actions
# of tests/virtual_pointer one at a time (sway_pointer move X Y, press right, wait 100...).
sway_pointer_start() {
  [ -x "$SWAY_POINTER_TOOL" ] || app_fail "no virtual pointer at $SWAY_POINTER_TOOL (the target virtual_pointer)"
  [ -z "${SWAY_POINTER_PID:-}" ] || app_fail "a virtual pointer runs already"
  coproc SWAY_POINTER { sway_as "$SWAY_POINTER_TOOL" 2> "$APP_TMP/pointer.log"; }
  APP_PIDS+=("$SWAY_POINTER_PID")
}

# One action of the running pointer; returns once the compositor has taken it.
sway_pointer() {
  local reply
  [ -n "${SWAY_POINTER_PID:-}" ] || app_fail "no virtual pointer runs"
  echo "$*" >&"${SWAY_POINTER[1]}"
  read -r -t 15 reply <&"${SWAY_POINTER[0]}" ||
    app_fail "the virtual pointer did not answer \"$*\": $(cat "$APP_TMP/pointer.log")"
  [ "$reply" = ok ] || app_fail "the virtual pointer: \"$*\": $reply"
}

# The pointer device goes away (end of its input).
sway_pointer_stop() {
  [ -n "${SWAY_POINTER_PID:-}" ] || return 0
  local pid=$SWAY_POINTER_PID fd=${SWAY_POINTER[1]}
  exec {fd}>&-
  app_wait_exit "$pid" 5 || app_fail "the virtual pointer did not end"
  [ "$APP_RC" -eq 0 ] || app_fail "the virtual pointer ended with code $APP_RC: $(cat "$APP_TMP/pointer.log")"
  SWAY_POINTER_PID=
}

# Moves the pointer to $1, $2 of the output and clicks button $3 (left, right or middle)
# there: with the running pointer, else with a device of its own for just this click.
sway_click() {
  if [ -n "${SWAY_POINTER_PID:-}" ]; then
    sway_pointer click "$1" "$2" "$3"
  else
    [ -x "$SWAY_POINTER_TOOL" ] || app_fail "no virtual pointer at $SWAY_POINTER_TOOL (the target virtual_pointer)"
    sway_as "$SWAY_POINTER_TOOL" click "$1" "$2" "$3" || app_fail "the virtual pointer could not click"
  fi
}

# Colour "r,g,b" of pixel $2, $3 of screenshot $1.
sway_pixel() { app_pixel "$@"; }

# Left click at $1, $2 in Feed mode; the running pointer stays a moment, then moves on to
# $3, $4 (default: 100 pixels left and up of the click, so its cursor covers no pellet).
# Prints the centre "x y" of the food-coloured pixels within 100 pixels of the click, from
# the first of eight screenshots a quarter second apart (more on a slow build) that shows
# any (the pellet tumbles as it sinks and can be edge on); nothing when none does.
sway_feed_and_find_food() {
  local x=$1 y=$2 awayx=${3:-$(($1 > 100 ? $1 - 100 : $1 + 100))} awayy=${4:-$(($2 > 100 ? $2 - 100 : $2 + 100))}
  local left=$((x - 100)) top=$((y - 100)) shot=$SWAY_DATA/food.ppm box
  [ "$left" -lt 0 ] && left=0
  [ "$top" -lt 0 ] && top=0
  local w=$((SWAY_W - left < 200 ? SWAY_W - left : 200)) h=$((SWAY_H - top < 200 ? SWAY_H - top : 200))
  sway_click "$x" "$y" left
  # The click takes its food where the cursor stands while the tank's pick bars pass under
  # it, a few steps later (more of them on a slow build), so the pointer waits there first.
  if [ -n "${SWAY_POINTER_PID:-}" ]; then
    sleep "$(awk -v f="${APP_WAIT_FACTOR:-1}" 'BEGIN { print 0.5 * f }')"
    sway_pointer move "$awayx" "$awayy"
  fi
  for _ in $(seq $((8 * ${APP_WAIT_FACTOR:-1}))); do
    sleep 0.25
    sway_shot "$shot" "${w}x$h+$left+$top"
    box=$(convert "$shot" -fill black +opaque "$APP_FOOD_COLOUR" -format '%@' info: 2>/dev/null)
    # %@ is the bounding box "WxH+X+Y" of what is not black; an empty or whole box means no
    # food there (yet).
    [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || continue
    local bw=${BASH_REMATCH[1]} bh=${BASH_REMATCH[2]} bx=${BASH_REMATCH[3]} by=${BASH_REMATCH[4]}
    [ "$bw" -ge 1 ] && [ "$bw" -lt "$w" ] || continue
    echo "$((left + bx + bw / 2)) $((top + by + bh / 2))"
    return 0
  done
}

# True when the tank's icon menu shows with its top-left corner at $1, $2 on a fresh
# screenshot: the icon column and the light text field of its second item.
sway_menu_shows() {
  local shot=$SWAY_DATA/menu.ppm
  sway_shot "$shot"
  [ "$(sway_pixel "$shot" $(($1 + 2)) $(($2 + 50)))" = "219,216,209" ] &&
    [ "$(sway_pixel "$shot" $(($1 + 120)) $(($2 + 52)))" = "249,248,247" ]
}

# Right click at $1, $2 and waits up to four seconds for the menu there; a tank still
# starting up (a slow machine) opens none, so the click is made again, three times at most.
# Fails when no menu opened.
sway_menu_open() {
  for _ in 1 2 3; do
    sway_click "$1" "$2" right
    for _ in $(seq 16); do
      sway_menu_shows "$1" "$2" && return 0
      sleep 0.25
    done
  done
  app_fail "no menu opened at the right click at $1, $2"
}

# With the menu open at $1, $2, picks its item $3 (0 is the first; 48 pixels each) with the
# left button of the running pointer (sway_pointer_start), brought onto the item in two
# steps so that the item lights.
sway_menu_pick() {
  local x=$(($1 + 64)) y=$(($2 + $3 * 48 + 24))
  sway_pointer move $((x - 4)) $((y - 4))
  sway_pointer wait 150
  sway_pointer move "$x" "$y"
  sway_pointer wait 250
  sway_pointer click "$x" "$y" left
}
