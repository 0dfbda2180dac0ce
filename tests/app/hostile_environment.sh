# The program in a poor environment: no sound device, no font that fontconfig can find, and
# a 16-bit screen whose visuals have no 32-bit depth buffer. Each time it must open its
# window and keep running (or, for the screen, show the pixel-format message and keep
# running), never crash or hang.
source "$(dirname "$0")/lib/common.bash"
if [ -z "${APP_HOSTILE_16:-}" ] && [ "${1:-}" != "--16" ]; then
  app_setup "$@"

  # No sound device: SDL cannot open the named driver; the program falls back to silence.
  SDL_AUDIODRIVER=nonexistent app_start
  win=$(app_wait_window "$APP_PID" 30) || app_fail "no window without a sound device"
  sleep 3
  kill -0 "$APP_PID" 2>/dev/null || app_fail "the program ended without a sound device"
  kill -TERM "$APP_PID"; app_wait_exit "$APP_PID" 10 || app_fail "no exit after TERM"
  app_note "no sound device: window $win, ran and ended"

  # No font at all: fontconfig reads an empty configuration.
  cat > "$APP_TMP/fonts.conf" <<'CONF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>/nonexistent-font-dir</dir><cachedir>/nonexistent-cache</cachedir></fontconfig>
CONF
  FONTCONFIG_FILE=$APP_TMP/fonts.conf app_start
  win=$(app_wait_window "$APP_PID" 30) || app_fail "no window without fonts"
  sleep 3
  kill -0 "$APP_PID" 2>/dev/null || app_fail "the program ended without fonts"
  kill -TERM "$APP_PID"; app_wait_exit "$APP_PID" 10 || app_fail "no exit after TERM"
  app_note "no fonts: window $win, ran and ended"

  # A 16-bit screen: run this script again on a virtual screen of that depth.
  APP_HOSTILE_16=1 app_on_own_screen 1280x720x16 "" bash "$0" --16 "$PELAVO" ||
    app_fail "the 16-bit screen run failed"
  echo PASS
  exit 0
fi

# --- on the 16-bit screen ---
[ "${1:-}" = "--16" ] && shift
APP_UNDER_XVFB=1 app_setup "$@"
app_start
# Either the tank comes up, or the pixel-format message appears; the process stays alive
# until it is ended either way.
for _ in $(seq 100); do
  kill -0 "$APP_PID" 2>/dev/null || app_fail "the program ended on a 16-bit screen"
  xdotool search --onlyvisible --pid "$APP_PID" >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 3
kill -0 "$APP_PID" 2>/dev/null || app_fail "the program ended on a 16-bit screen"
app_note "16-bit screen: $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | wc -l) window(s)"
kill -TERM "$APP_PID"; app_wait_exit "$APP_PID" 10 || app_fail "no exit after TERM"
exit 0
