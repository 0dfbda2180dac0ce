# The tank as the desktop background natively on Wayland. On a headless sway (layer-shell,
# as an unprivileged user, 640x360 at 60 Hz): the tank is no window of sway's tree but
# covers the output from its background layer; an ordinary client (weston-simple-egl,
# opaque, floating) is drawn over it, keys typed with wtype reach that client and not the
# tank, frames come at most 30 a second (counted by the preloaded swap counter), and SIGTERM
# ends it with code 0. On a headless Weston (no layer-shell, no X server) it says what to
# do and ends with code 1.
source "$(dirname "$0")/lib/sway.bash"
sway_setup "$@"
command -v weston-simple-egl > /dev/null || app_fail "weston-simple-egl is missing (Debian package weston)"
# At most 30 a second, a little slack for the measuring; steadily coming on a busy machine.
MAX_RATE=31
MIN_RATE=10

# Mean blue and red (0..255) of region $2 (WxH+X+Y) of screenshot $1.
blue_red() {
  convert "$1" -crop "$2" +repage -format '%[fx:int(255*mean.b)] %[fx:int(255*mean.r)]' info:
}

sway_start 60
sway_as swaymsg 'for_window [app_id=".*"] floating enable' > /dev/null
SWAY_PROGRAM_ARGS=(--desktop)
sway_start_program
sleep 8
kill -0 "$APP_PID" 2>/dev/null || app_fail "the background ended by itself: $(cat "$APP_TMP"/out.*.log)"
in_tree=$(sway_as swaymsg -r -t get_tree | jq --argjson pid "$APP_PID" '[.. | objects | select(.pid? == $pid)] | length')
[ "$in_tree" -eq 0 ] || app_fail "the background is a window of sway's tree"
sway_shot "$SWAY_DATA/tank.ppm"
hw=$((SWAY_W / 2)); hh=$((SWAY_H / 2))
for q in "0 0" "$hw 0" "0 $hh" "$hw $hh"; do
  read -r qx qy <<< "$q"
  read -r blue red < <(blue_red "$SWAY_DATA/tank.ppm" "${hw}x${hh}+$qx+$qy")
  app_note "the tank's quarter at $qx,$qy: mean blue $blue, red $red"
  [ "$blue" -gt 60 ] && [ "$blue" -gt $((red + 20)) ] || app_fail "the tank does not cover the output at $qx,$qy"
done
rate=$(app_swap_rate "$SWAY_SWAPS" 3)
app_note "the background draws $rate frames a second on a 60 Hz output"
awk -v r="$rate" -v lo=$MIN_RATE -v hi=$MAX_RATE 'BEGIN { exit !(r >= lo && r <= hi) }' ||
  app_fail "$rate frames a second"

# An ordinary client over it.
(cd "$SWAY_DATA" && exec env -i "${SWAY_AS[@]}" env HOME="$SWAY_HOME" PATH=/usr/bin:/bin \
  XDG_RUNTIME_DIR="$SWAY_RUN" WAYLAND_DISPLAY="$SWAY_SOCKET" weston-simple-egl -o \
  > "$APP_TMP/client.log" 2>&1) &
client=$!
APP_PIDS+=("$client")
rect=
for _ in $(seq 50); do
  rect=$(sway_as swaymsg -r -t get_tree | jq -r '.. | objects | select(.app_id? == "org.freedesktop.weston.simple-egl") | "\(.rect.x) \(.rect.y) \(.rect.width) \(.rect.height)"' | head -1)
  [ -n "$rect" ] && break
  sleep 0.1
done
[ -n "$rect" ] || app_fail "the client's window did not appear"
sleep 2
read -r cx cy cw ch <<< "$rect"
app_note "the client at $cx,$cy ${cw}x$ch"
sway_shot "$SWAY_DATA/client.ppm"
cp "$SWAY_DATA/client.ppm" "$APP_TMP/client.ppm" 2>/dev/null
[ -n "${APP_SHOTS:-}" ] && mkdir -p "$APP_SHOTS" && convert "$SWAY_DATA/client.ppm" "$APP_SHOTS/wayland-desktop.png"
# The client's corner is its own dark background, the tank shows beside the client.
read -r blue red < <(blue_red "$SWAY_DATA/client.ppm" "40x40+$((cx + 5))+$((cy + 5))")
app_note "the client's corner: mean blue $blue, red $red"
[ "$blue" -lt 40 ] && [ "$red" -lt 40 ] || app_fail "the tank shows over the client"
read -r blue red < <(blue_red "$SWAY_DATA/client.ppm" "$((cx - 10))x$SWAY_H+0+0")
app_note "left of the client: mean blue $blue, red $red"
[ "$blue" -gt 60 ] && [ "$blue" -gt $((red + 20)) ] || app_fail "no tank beside the client"

# Keys go to the client, which ends on Escape; the tank keeps running.
sway_key Escape
app_wait_exit "$client" 5 || app_fail "Escape did not reach the client"
sleep 0.5
kill -0 "$APP_PID" 2>/dev/null || app_fail "Escape typed into the client ended the background"
sway_end_program
sway_stop

# A compositor without layer-shell: the message and code 1, at once.
WESTON_RUN=$APP_TMP/weston-run
mkdir -p "$WESTON_RUN"
chmod 700 "$WESTON_RUN"
(cd "$WESTON_RUN" && exec env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$WESTON_RUN" weston \
  --backend=headless-backend.so --socket=pelavo-plain --width=640 --height=360 \
  --use-pixman --idle-time=0 > "$APP_TMP/weston.log" 2>&1) &
APP_PIDS+=("$!")
for _ in $(seq 100); do [ -S "$WESTON_RUN/pelavo-plain" ] && break; sleep 0.1; done
[ -S "$WESTON_RUN/pelavo-plain" ] || app_fail "headless Weston did not start"
mkdir -p "$APP_TMP/weston-config"
start=$(date +%s.%N)
env -u DISPLAY XDG_RUNTIME_DIR="$WESTON_RUN" WAYLAND_DISPLAY=pelavo-plain GDK_BACKEND=wayland \
  XDG_CONFIG_HOME="$APP_TMP/weston-config" SDL_AUDIODRIVER=dummy NO_AT_BRIDGE=1 \
  timeout 20 "$PELAVO" --desktop > "$APP_TMP/weston-out.log" 2>&1
rc=$?
took=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN{printf "%.1f", e - s}')
app_note "on Weston: code $rc after $took s: $(tr "\n" " " < "$APP_TMP/weston-out.log")"
[ "$rc" -eq 1 ] || app_fail "on Weston the background ended with code $rc"
grep -q "desktop background" "$APP_TMP/weston-out.log" && grep -q "GDK_BACKEND=x11" "$APP_TMP/weston-out.log" ||
  app_fail "no message that says what to do: $(cat "$APP_TMP/weston-out.log")"
[ -z "$(ls -A "$APP_TMP/weston-config" 2>/dev/null)" ] || app_fail "the refused background wrote settings"
echo PASS
