# A screen without OpenGL (the server runs without its GLX extension): one "ChoosePixelFormat
# failed" message, then a full-screen view that draws nothing but still opens its menu at the
# cursor, and Exit from that menu ends the program with code 0.
source "$(dirname "$0")/lib/common.bash"
if [ -z "${APP_NO_GLX:-}" ]; then
  APP_NO_GLX=1 app_run_on_own_screen 1280x800 "-extension GLX" "$@"
fi
app_setup "$@"
xdpyinfo 2>/dev/null | grep -q GLX && app_fail "the test screen still has GLX"

app_start
title=$(app_dismiss_message "$APP_PID" 30)
app_note "message box: $title"
win=$(app_wait_window "$APP_PID" 30) || app_fail "no window after the message"
sleep 2
read -r x y w h < <(app_geometry "$win")
[ "$w" -eq "$SCREEN_W" ] && [ "$h" -eq "$SCREEN_H" ] || app_fail "the view does not cover the screen"
[ -z "$(app_small_windows "$APP_PID")" ] || app_fail "a second message box appeared"
shot=$APP_TMP/empty.png
app_shot "$shot"
[ "$(app_pixel "$shot" 640 400)" = "0,0,0" ] || app_fail "the view is not black"

app_menu_opens_at 400 300 || app_fail "the menu does not open at the cursor"
app_note "the menu opens at the cursor"
app_menu_pick 400 300 7
app_wait_exit "$APP_PID" 10 || app_fail "Exit did not end the program"
[ "$APP_RC" -eq 0 ] || app_fail "Exit ended with code $APP_RC"
echo PASS
