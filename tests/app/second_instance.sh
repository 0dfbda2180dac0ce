# A second start while the program runs ends at once with code 0 and shows nothing; the
# first copy keeps running. The running-copy marks die with their process: the next start
# works after Esc, after Exit, after kill -9, and when files left by an earlier version name
# a live process. Without a runtime directory the marks live in the settings directory.
source "$(dirname "$0")/lib/common.bash"
app_setup "$@"

# Starts a second copy while $1 runs and checks that it ends at once, silent and windowless.
second_copy_refused() {
  local first=$1 log_index=${#APP_PIDS[@]}
  app_start
  local second=$APP_PID
  app_wait_exit "$second" 5 || app_fail "the second copy did not end within 5 s"
  [ "$APP_RC" -eq 0 ] || app_fail "the second copy ended with code $APP_RC"
  [ -z "$(xdotool search --pid "$second" 2>/dev/null)" ] || app_fail "the second copy made a window"
  grep -qi "error\|warn" "$APP_TMP/out.$log_index.log" &&
    app_fail "the second copy printed: $(cat "$APP_TMP/out.$log_index.log")"
  sleep 0.5
  kill -0 "$first" 2>/dev/null || app_fail "the first copy ended"
}

# Starts the program and waits for its window; fails with $1 when none comes.
start_and_show() {
  app_start
  app_wait_window "$APP_PID" 30 > /dev/null || app_fail "$1"
  sleep 2
}

start_and_show "the first copy shows no window"
first=$APP_PID
second_copy_refused "$first"
ls "$XDG_RUNTIME_DIR"/FirstMyProject_Vorl.lock "$XDG_RUNTIME_DIR"/PelavoScr.lock > /dev/null ||
  app_fail "the marks are not in the runtime directory"

# After Esc.
xdotool key Escape
app_wait_exit "$first" 10 || app_fail "Esc did not end the first copy"
start_and_show "no window after the first copy ended with Esc"
app_note "starts again after Esc"

# After Exit from the menu.
app_menu_opens_at 400 300 || app_fail "the menu does not open"
app_menu_pick 400 300 7
app_wait_exit "$APP_PID" 10 || app_fail "Exit did not end the program"
start_and_show "no window after Exit"
app_note "starts again after Exit"

# After kill -9: nothing of the killed copy is left to block the next one.
kill -9 "$APP_PID"
wait "$APP_PID" 2>/dev/null
start_and_show "no window after kill -9"
app_note "starts again after kill -9"
running=$APP_PID
second_copy_refused "$running"
kill -TERM "$running"
app_wait_exit "$running" 10 || app_fail "no end on SIGTERM"

# Files an earlier version left, naming a live process (this shell).
for dir in "$SETTINGS_DIR" "$XDG_RUNTIME_DIR"; do
  for name in FirstMyProject_Vorl PelavoScr FirstMyProject_Vorl.lock PelavoScr.lock; do
    echo "$$" > "$dir/$name"
  done
done
start_and_show "no window when old marks name a live process"
app_note "starts despite old marks naming pid $$"
kill -TERM "$APP_PID"
app_wait_exit "$APP_PID" 10 || app_fail "no end on SIGTERM"

# No runtime directory: the marks go to the settings directory and still keep one copy.
unset XDG_RUNTIME_DIR
start_and_show "no window without a runtime directory"
[ -e "$SETTINGS_DIR/FirstMyProject_Vorl.lock" ] || app_fail "no mark in the settings directory"
second_copy_refused "$APP_PID"
echo PASS
