# A settings home that cannot be made (a file stands where the directory should go): one
# "Error Find TempPath." message, however many packed textures, pellets, emitters and dialog
# ticks need the directory, then a running tank that keeps its files in the working directory.
source "$(dirname "$0")/lib/common.bash"
app_setup "$@"
blocker=$APP_TMP/not-a-directory
echo "a file" > "$blocker"
export XDG_CONFIG_HOME=$blocker
mkdir -p "$APP_TMP/cwd"
cd "$APP_TMP/cwd" || app_fail "no working directory"

app_start
title=$(app_dismiss_message "$APP_PID" 30)
app_note "first message box: $title"
[ "$title" = "ERROR" ] || app_fail "the message box is titled '$title'"
win=$(app_wait_window "$APP_PID" 30) || app_fail "no window after the message"
sleep 1
# Open both list dialogs too: their ticks need the directory as well.
app_menu_opens_at 300 200 || app_fail "the menu does not open"
app_menu_pick 300 200 5
sleep 1
xdotool key Escape
sleep 6
kill -0 "$APP_PID" 2>/dev/null || app_fail "the program ended"
extra=$(app_small_windows "$APP_PID" | while read -r w; do xdotool getwindowname "$w"; done | grep -c '^ERROR$')
[ "$extra" -eq 0 ] || app_fail "$extra more message boxes appeared"
app_until 10 app_shows_tank ||
  app_fail "the screen shows no tank ($(app_screen_colours) colours in a 64x36 thumbnail)"
[ -f "$APP_TMP/cwd/PelavoSet.ini" ] || app_fail "the settings did not go to the working directory"
kill -TERM "$APP_PID"
app_wait_exit "$APP_PID" 10 || app_fail "no end on SIGTERM"
[ "$APP_RC" -eq 0 ] || app_fail "ended with code $APP_RC"
echo PASS
