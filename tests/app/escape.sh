# Esc opens the program's about page and ends the program at once with code 0.
source "$(dirname "$0")/lib/common.bash"
app_setup "$@"

app_start
win=$(app_wait_window "$APP_PID" 30) || app_fail "no window appeared"
sleep 2
xdotool mousemove 500 400
xdotool key --window "$win" Escape
app_wait_exit "$APP_PID" 5 || app_fail "Esc did not end the program"
[ "$APP_RC" -eq 0 ] || app_fail "exit code $APP_RC after Esc"

sleep 0.5
[ -s "$OPENED" ] || app_fail "no page was opened"
url=$(head -1 "$OPENED")
app_note "opened: $url"
# The page goes to the browser as a file:// address or as the file's path.
case "$url" in
  file://*about.html) page=$(printf '%b' "$(echo "${url#file://}" | sed 's/%/\\x/g')") ;;
  /*about.html) page=$url ;;
  *) app_fail "unexpected page $url" ;;
esac
[ -f "$page" ] || app_fail "the about page $page does not exist"
grep -q "<h1>" "$page" || app_fail "the about page is empty"

# The program ended at once, leaving its running-copy mark files behind; they must not stop
# the next start.
[ -e "$XDG_RUNTIME_DIR/FirstMyProject_Vorl.lock" ] || app_fail "no running-copy marker was made"
app_start
app_wait_window "$APP_PID" 30 > /dev/null || app_fail "no window at the start after Esc"
echo PASS
