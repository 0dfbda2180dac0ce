# The tank natively on Wayland: tests/wayland/WaylandViewMain.cpp shows the real scene through
# the EGL child surface on a headless Weston, with no X server anywhere (DISPLAY unset,
# GDK_BACKEND=wayland). It must draw and swap, end on SIGTERM with code 0, and the
# compositor's own screenshot must show the tank over the whole output (the full-screen
# window covers the shell's panel). Minimised it draws nothing, and frames that cost nothing
# come no faster than the output's refresh.
#
# The pointer is not driven: the headless compositor has no seat and Debian's Weston ships
# no test-input module, so no client can move its pointer.
set -u
CHECK=$(readlink -f "$1")
fail() { echo "FAIL: $*" >&2; [ -f "${TMP:-}/check.log" ] && tail -20 "$TMP/check.log" >&2; exit 1; }
for tool in weston weston-screenshooter convert identify; do
  command -v "$tool" > /dev/null || fail "$tool is missing (Debian packages weston, imagemagick)"
done
TMP=$(mktemp -d)
PIDS=()
cleanup() {
  local p
  for p in "${PIDS[@]}"; do kill -9 "$p" 2>/dev/null && wait "$p" 2>/dev/null; done
  rm -rf "$TMP"
}
trap cleanup EXIT
RUNTIME=$TMP/runtime
mkdir -m 700 "$RUNTIME" "$TMP/config"
SOCKET=pelavo-native
OUT_W=1280
OUT_H=720
# Starts a headless Weston on socket $1 with output scale $2; prints its process id.
start_weston() {
  (cd "$RUNTIME" && exec env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$RUNTIME" \
    weston --backend=headless-backend.so --socket="$1" --width=$OUT_W --height=$OUT_H \
    --scale="$2" --use-pixman --idle-time=0 --debug > "$TMP/weston-$1.log" 2>&1) &
  local pid=$!
  for _ in $(seq 100); do [ -S "$RUNTIME/$1" ] && break; sleep 0.1; done
  [ -S "$RUNTIME/$1" ] || fail "Weston did not start: $(tail -5 "$TMP/weston-$1.log")"
  echo "$pid"
}
PIDS+=("$(start_weston $SOCKET 1)")
export XDG_RUNTIME_DIR=$RUNTIME WAYLAND_DISPLAY=$SOCKET

env -u DISPLAY GDK_BACKEND=wayland XDG_CONFIG_HOME="$TMP/config" SDL_AUDIODRIVER=dummy \
  "$CHECK" > "$TMP/check.log" 2>&1 &
PID=$!
PIDS+=("$PID")
sleep 8
kill -0 "$PID" 2>/dev/null || fail "the check program ended by itself"
(cd "$TMP" && weston-screenshooter) || fail "weston-screenshooter failed"
shot=$(ls "$TMP"/wayland-screenshot-*.png 2>/dev/null | head -1)
[ -n "$shot" ] || fail "the compositor wrote no screenshot"
[ -n "${APP_SHOTS:-}" ] && { mkdir -p "$APP_SHOTS"; cp "$shot" "$APP_SHOTS/wayland-native.png"; }
# Minimised, the window is not shown: the compositor sends no frame callbacks, so no frames.
kill -USR1 "$PID"
sleep 3
kill -TERM "$PID"
for _ in $(seq 150); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$PID" 2>/dev/null && fail "no end on SIGTERM"
wait "$PID"
rc=$?
[ "$rc" -eq 0 ] || fail "exit code $rc after SIGTERM"
read -r _ frames _ seconds _ size _ < <(grep '^frames ' "$TMP/check.log")
echo "-- native Wayland: ${frames:-no} frames in ${seconds:-?} s at $size"
[ -n "${frames:-}" ] && [ "$frames" -ge 20 ] || fail "too few buffer swaps: ${frames:-none}"
[ "$size" = "${OUT_W}x$OUT_H" ] || fail "the GL surface is $size, not the output's ${OUT_W}x$OUT_H"
read -r _ _ _ _ hiddenFrames _ < <(grep '^iconified ' "$TMP/check.log")
echo "-- frames while minimised: ${hiddenFrames:-?}"
# One frame may already have been on its way when the window was minimised.
[ -n "${hiddenFrames:-}" ] && [ "$hiddenFrames" -le 1 ] || fail "${hiddenFrames:-unknown} frames drawn while minimised"

# Water over the whole output, the top edge included (where the shell's panel would be if the
# window were not full screen): blue well above red in the top strip and in the rest.
for crop in "${OUT_W}x40+0+0" "${OUT_W}x$((OUT_H - 40))+0+40"; do
  read -r blue red < <(convert "$shot" -crop "$crop" -format '%[fx:int(255*mean.b)] %[fx:int(255*mean.r)]' info:)
  echo "-- $crop: mean blue $blue, red $red"
  [ "$blue" -gt 60 ] && [ "$blue" -gt $((red + 20)) ] || fail "the compositor does not show the tank in $crop"
done

# Frames follow the compositor's frame callbacks: frames that cost almost nothing still come
# at the output's refresh (60 a second), not as fast as the processor could swap.
env -u DISPLAY GDK_BACKEND=wayland XDG_CONFIG_HOME="$TMP/config" "$CHECK" --clear-only \
  > "$TMP/check.log" 2>&1 &
PID=$!
PIDS+=("$PID")
sleep 5
kill -TERM "$PID"
for _ in $(seq 100); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
wait "$PID" || fail "the clear-only run did not end cleanly"
read -r _ frames _ seconds _ < <(grep '^frames ' "$TMP/check.log")
rate=$(awk -v f="$frames" -v s="$seconds" 'BEGIN { printf "%d", f / s }')
echo "-- clear-only frames: $frames in $seconds s, $rate a second"
[ "$rate" -le 61 ] || fail "$rate frames a second: faster than the compositor's 60 Hz refresh"
[ "$rate" -ge 30 ] || fail "$rate frames a second: the frame callbacks do not keep frames coming"

# A scaled output (scale 2): the surface is drawn at the output's full resolution and the
# tank fills all of it, not only the logical size in one corner.
PIDS+=("$(start_weston scaled 2)")
env -u DISPLAY GDK_BACKEND=wayland WAYLAND_DISPLAY=scaled XDG_CONFIG_HOME="$TMP/config" \
  SDL_AUDIODRIVER=dummy "$CHECK" > "$TMP/check.log" 2>&1 &
PID=$!
PIDS+=("$PID")
sleep 8
rm -f "$TMP"/wayland-screenshot-*.png
(cd "$TMP" && WAYLAND_DISPLAY=scaled weston-screenshooter) || fail "weston-screenshooter failed on the scaled output"
shot=$(ls "$TMP"/wayland-screenshot-*.png | head -1)
kill -TERM "$PID"
for _ in $(seq 150); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
wait "$PID" || fail "the scaled run did not end cleanly"
read -r _ frames _ seconds _ size _ scale < <(grep '^frames ' "$TMP/check.log")
echo "-- scaled output: $frames frames at $size, scale $scale"
[ "$size" = "$((OUT_W * 2))x$((OUT_H * 2))" ] || fail "the GL surface is $size on the scaled output"
for crop in "${OUT_W}x${OUT_H}+$OUT_W+0" "${OUT_W}x${OUT_H}+0+$OUT_H"; do
  read -r blue red < <(convert "$shot" -crop "$crop" -format '%[fx:int(255*mean.b)] %[fx:int(255*mean.r)]' info:)
  echo "-- scaled $crop: mean blue $blue, red $red"
  [ "$blue" -gt 60 ] && [ "$blue" -gt $((red + 20)) ] || fail "the tank does not fill the scaled output ($crop)"
done
echo PASS
