# Escape belongs to the window it was meant for. Pressed while the Add/Delete Fish dialog has
# the keyboard it closes just that dialog, every time, and the tank runs on; sent to the
# dialog's own window (as on-screen keyboards, automation and remote desktops send keys) it
# never ends the program (the toolkit's dialog does not take such a key as its own, so a
# pressed Escape closes it after). Escape in the tank afterwards ends the program, code 0.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/dialogs.bash"
app_setup "$@"
TITLE="Fish Settings"
TRIES=${TRIES:-20}

app_start
win=$(app_wait_window "$APP_PID" 30) || app_fail "no window appeared"
sleep 1
for try in $(seq $TRIES); do
  dlg_menu 4
  dlg_wait_for_window "$TITLE"
  if [ $((try % 2)) -eq 0 ]; then
    xdotool key --window "$DLG_WIN" Escape
    sleep 0.5
    kill -0 "$APP_PID" 2>/dev/null || app_fail "try $try: Escape sent to the dialog's window ended the program"
  fi
  dlg_focus "$DLG_WIN"
  xdotool key Escape
  dlg_until dlg_hidden "$TITLE" || app_fail "try $try: a pressed Escape did not close the dialog"
  sleep 0.3
  kill -0 "$APP_PID" 2>/dev/null || app_fail "try $try: Escape in the dialog ended the program"
done
app_note "$TRIES of $TRIES: Escape closed only the dialog"
xdotool mousemove 500 400
dlg_focus "$win"
xdotool key Escape
app_wait_exit "$APP_PID" 5 || app_fail "Escape in the tank did not end the program"
[ "$APP_RC" -eq 0 ] || app_fail "exit code $APP_RC after Escape"
echo PASS
