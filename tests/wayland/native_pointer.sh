# Real pointer and key input to the tank on native Wayland. The headless compositor has no
# seat, so here Weston runs with its X11 backend on a virtual X screen of its own: xdotool
# moves that screen's pointer over Weston's output window and Weston hands the input to its
# Wayland clients. The check program itself has no X connection (DISPLAY unset,
# GDK_BACKEND=wayland). Left clicks must reach the scene at the clicked points and drop food,
# the right button must show the icon menu (seen on the compositor's screenshot) whose
# second item sends Touch, and F1 must reach the tank.
set -u
CHECK=$(readlink -f "$1")
fail() { echo "FAIL: $*" >&2; [ -f "${TMP:-}/check.log" ] && tail -20 "$TMP/check.log" >&2; exit 1; }
for tool in weston weston-screenshooter Xvfb xdotool convert; do
  command -v "$tool" > /dev/null || fail "$tool is missing"
done
TMP=$(mktemp -d)
PIDS=()
cleanup() {
  local p
  for p in "${PIDS[@]}"; do kill -9 "$p" 2>/dev/null && wait "$p" 2>/dev/null; done
  rm -rf "$TMP"
}
trap cleanup EXIT
OUT_W=1280
OUT_H=720
MENU_X=400
MENU_Y=300
ITEM_H=48
TOUCH=1035

# The compositor's own X screen: the first free display number from 40 on.
XNUM=40
while [ -e "/tmp/.X11-unix/X$XNUM" ] || [ -e "/tmp/.X$XNUM-lock" ]; do XNUM=$((XNUM + 1)); done
Xvfb ":$XNUM" -screen 0 $((OUT_W + 100))x$((OUT_H + 100))x24 -nolisten tcp > "$TMP/xvfb.log" 2>&1 &
PIDS+=("$!")
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$XNUM" ] && break; sleep 0.1; done
XSCREEN=:$XNUM

RUNTIME=$TMP/runtime
mkdir -m 700 "$RUNTIME" "$TMP/config"
SOCKET=pelavo-pointer
(cd "$RUNTIME" && exec env -u WAYLAND_DISPLAY DISPLAY=$XSCREEN XDG_RUNTIME_DIR="$RUNTIME" \
  weston --backend=x11-backend.so --socket=$SOCKET --width=$OUT_W --height=$OUT_H \
  --use-pixman --idle-time=0 --debug > "$TMP/weston.log" 2>&1) &
PIDS+=("$!")
for _ in $(seq 100); do [ -S "$RUNTIME/$SOCKET" ] && break; sleep 0.1; done
[ -S "$RUNTIME/$SOCKET" ] || fail "Weston did not start: $(tail -5 "$TMP/weston.log")"
# Weston names its output window only in _NET_WM_NAME, which xdotool's search does not read.
geometry=""
for _ in $(seq 50); do
  geometry=$(DISPLAY=$XSCREEN xwininfo -root -tree 2>/dev/null | grep 'Weston Compositor' | head -1)
  [ -n "$geometry" ] && break
  sleep 0.1
done
[ -n "$geometry" ] || fail "Weston's output window did not appear"
# Input goes to where Weston's output window sits on its X screen ("WxH+X+Y +X+Y").
read -r OX OY < <(sed -E 's/.* [0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+ +\+(-?[0-9]+)\+(-?[0-9]+).*/\1 \2/' <<< "$geometry")
x() { DISPLAY=$XSCREEN xdotool "$@"; }
at() { x mousemove $((OX + $1)) $((OY + $2)); sleep 0.3; }

export XDG_RUNTIME_DIR=$RUNTIME WAYLAND_DISPLAY=$SOCKET
env -u DISPLAY GDK_BACKEND=wayland XDG_CONFIG_HOME="$TMP/config" SDL_AUDIODRIVER=dummy \
  "$CHECK" > "$TMP/check.log" 2>&1 &
PID=$!
PIDS+=("$PID")
sleep 6
kill -0 "$PID" 2>/dev/null || fail "the check program ended by itself"

# The pointer enters Weston's output window from outside first: the virtual screen starts
# with its pointer inside that window, and without an enter event Weston's X11 backend
# counts positions from wherever the first motion is.
at $((OUT_W + 50)) $((OUT_H + 50))
at 640 360
sleep 0.5
# Food at three places.
for px in 300 640 900; do
  at $px 500
  x click 1
  sleep 0.4
done
# The icon menu: shown on the compositor, then its second item.
at $MENU_X $MENU_Y
x click 3
sleep 1.2
(cd "$TMP" && weston-screenshooter) || fail "weston-screenshooter failed"
shot=$(ls "$TMP"/wayland-screenshot-*.png | head -1)
[ -n "${APP_SHOTS:-}" ] && { mkdir -p "$APP_SHOTS"; cp "$shot" "$APP_SHOTS/wayland-menu.png"; }
at $((MENU_X + 60)) $((MENU_Y + ITEM_H + 20))
at $((MENU_X + 64)) $((MENU_Y + ITEM_H + 24))
x click 1
sleep 0.8
# After the menu: a click on the tank, then F1. (Without the click the keys go nowhere: the
# compositor does not give the keyboard back to the window when the menu's grab ends.)
at 640 600
x click 1
sleep 0.4
x key F1
sleep 0.5

kill -TERM "$PID"
for _ in $(seq 150); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$PID" 2>/dev/null && fail "no end on SIGTERM"
wait "$PID"
rc=$?
[ "$rc" -eq 0 ] || fail "exit code $rc after SIGTERM"
grep '^frames \|^press' "$TMP/check.log" | sed 's/^/-- /'
echo "-- output window at $OX,$OY"

read -r _ presses _ last _ pellets _ menus _ chosen _ f1 < <(grep '^presses ' "$TMP/check.log")
[ "${presses:-0}" -eq 4 ] || fail "the scene got ${presses:-no} left presses, not 4"
[ "$last" = "640,600" ] || fail "the last press arrived at $last, not 640,600"
[ "$pellets" -ge 1 ] || fail "the clicks dropped no food"
[ "$menus" -eq 1 ] || fail "the right button showed $menus menus"
[ "$chosen" -eq $TOUCH ] || fail "the menu's second item sent $chosen, not Touch ($TOUCH)"
[ "$f1" -eq 1 ] || fail "the tank got $f1 F1 presses, not 1"
# The menu's light item panel is on the compositor's picture just right of the click point.
read -r lum < <(convert "$shot" -crop "100x100+$((MENU_X + 30))+$((MENU_Y + 10))" \
  -colorspace Gray -format '%[fx:int(255*mean)]' info:)
echo "-- menu area brightness $lum"
[ "$lum" -gt 180 ] || fail "the compositor does not show the menu (brightness $lum)"
echo PASS
