# A second start while the program runs ends at once with code 0 and shows nothing; the
# first copy keeps running.
source "$(dirname "$0")/lib/common.bash"
app_setup "$@"

app_start
first=$APP_PID
app_wait_window "$first" 30 > /dev/null || app_fail "the first copy shows no window"

app_start
second=$APP_PID
app_wait_exit "$second" 5 || app_fail "the second copy did not end within 5 s"
[ "$APP_RC" -eq 0 ] || app_fail "the second copy ended with code $APP_RC"
[ -z "$(xdotool search --pid "$second" 2>/dev/null)" ] || app_fail "the second copy made a window"
grep -qi "error\|warn" "$APP_TMP/out.1.log" && app_fail "the second copy printed: $(cat "$APP_TMP/out.1.log")"

sleep 1
kill -0 "$first" 2>/dev/null || app_fail "the first copy ended"

# Once the first copy has gone, the program starts again normally.
kill -TERM "$first"
app_wait_exit "$first" 10 || app_fail "the first copy did not end on SIGTERM"
app_start
app_wait_window "$APP_PID" 30 > /dev/null || app_fail "no window after the first copy ended"
echo PASS
