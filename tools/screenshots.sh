#!/usr/bin/env bash
# Makes the software-centre screenshots in packaging/screenshots/ from the real program:
# starts it on a virtual screen with a fresh settings directory, waits for the tank to fill,
# opens the popup menu and each dialog with real mouse input and photographs the screen.
#
# Usage: tools/screenshots.sh [path/to/pelavo] [output-dir]
# Needs: xvfb-run, xauth, xdotool, imagemagick (import, convert), optipng when present.
set -eu

SOURCE=$(cd "$(dirname "$0")/.." && pwd)
PELAVO=$(readlink -f "${1:-$SOURCE/build/pelavo}")
OUT=$(readlink -f "${2:-$SOURCE/packaging/screenshots}")
# 16:9, the shape software centres show best, large enough for their detail view.
SCREEN_W=1280
SCREEN_H=720
# The tank shows one more fish a frame; a few seconds let all of them swim in.
SETTLE_SECONDS=6
MENU_X=420
MENU_Y=160
MENU_ITEM_HEIGHT=48

[ -x "$PELAVO" ] || { echo "screenshots: no program at $PELAVO (build it first)" >&2; exit 1; }

if [ -z "${SHOTS_UNDER_XVFB:-}" ]; then
  SHOTS_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 ${SCREEN_W}x${SCREEN_H}x24 -noreset" \
    bash "$0" "$PELAVO" "$OUT"
fi

WORK=$(mktemp -d)
export XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$OUT"
"$PELAVO" > "$WORK/pelavo.log" 2>&1 &
PID=$!
trap 'kill -9 $PID 2>/dev/null; rm -rf "$WORK"' EXIT

tank=""
for _ in $(seq 300); do
  tank=$(xdotool search --onlyvisible --pid "$PID" 2>/dev/null | head -1) && [ -n "$tank" ] && break
  sleep 0.1
done
[ -n "$tank" ] || { echo "screenshots: the program showed no window" >&2; cat "$WORK/pelavo.log" >&2; exit 1; }
sleep "$SETTLE_SECONDS"

shot() {
  import -window root "$WORK/shot.png"
  # Plain 8-bit RGB without time stamps, so a new run of an unchanged program changes nothing.
  convert "$WORK/shot.png" -strip -define png:exclude-chunks=date,time PNG24:"$OUT/$1.png"
  command -v optipng > /dev/null && optipng -quiet -o2 "$OUT/$1.png"
  echo "screenshots: $OUT/$1.png"
}
others() { xdotool search --onlyvisible --pid "$PID" 2>/dev/null | grep -vx "$tank" || true; }
wait_others() {
  for _ in $(seq 50); do
    [ "$(others | grep -c .)" -eq "$1" ] && return 0
    sleep 0.1
  done
  echo "screenshots: expected $1 dialog(s), see $(others | grep -c .)" >&2
  exit 1
}
open_menu() {
  xdotool mousemove $MENU_X $MENU_Y; sleep 0.3
  xdotool click 3; sleep 0.8
}
# Chooses item $1 (0 = first) of the menu opened by open_menu.
choose() {
  open_menu
  xdotool mousemove $((MENU_X + 60)) $((MENU_Y + $1 * MENU_ITEM_HEIGHT + 20)); sleep 0.2
  xdotool mousemove $((MENU_X + 64)) $((MENU_Y + $1 * MENU_ITEM_HEIGHT + 24)); sleep 0.3
  xdotool click 1; sleep 1.5
}
# Closes the dialog that has the keyboard (Escape), leaving the tank alone.
close_dialog() {
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  xdotool key Escape
  wait_others "$2"
}

# Food first, so the tank picture shows pellets sinking among the fish.
for x in 380 640 900; do
  xdotool mousemove $x 330 click 1; sleep 0.4
done
sleep 1.2
xdotool mousemove $((SCREEN_W - 1)) $((SCREEN_H - 1)); sleep 0.5
shot tank

open_menu
xdotool mousemove $((MENU_X + 64)) $((MENU_Y + 24)); sleep 0.5
shot menu
xdotool key Escape; sleep 0.8

choose 4
wait_others 1
xdotool mousemove $((SCREEN_W - 1)) $((SCREEN_H - 1)); sleep 0.5
shot fish-dialog
close_dialog "$(others)" 0

choose 5
wait_others 1
shot music-dialog
close_dialog "$(others)" 0

choose 6
wait_others 1
shot background-dialog
close_dialog "$(others)" 0

kill -TERM "$PID"
wait "$PID" 2>/dev/null || true
