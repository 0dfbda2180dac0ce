# A request to close (SIGTERM, as a session manager sends) closes the window the normal way:
# teardown runs and the program ends with code 0, also while a dialog-free menu was used.
source "$(dirname "$0")/lib/common.bash"
app_setup "$@"

app_start
app_wait_window "$APP_PID" 30 > /dev/null || app_fail "no window appeared"
sleep 2
kill -TERM "$APP_PID"
app_wait_exit "$APP_PID" 10 || app_fail "the program did not close on SIGTERM"
[ "$APP_RC" -eq 0 ] || app_fail "exit code $APP_RC after a close request"
if grep -Eqi "assert|critical|segmentation|abort" "$APP_TMP/out.0.log"; then
  cat "$APP_TMP/out.0.log"
  app_fail "the close printed an error"
fi

# The settings survive a close and are read again at the next start.
ini=$SETTINGS_DIR/PelavoSet.ini
sed -i 's/^QIPAONUM=.*/QIPAONUM=60/' "$ini"
app_start
app_wait_window "$APP_PID" 30 > /dev/null || app_fail "no window at the second start"
sleep 1
grep -q '^QIPAONUM=60$' "$ini" || app_fail "the second start rewrote a valid setting"
kill -TERM "$APP_PID"
app_wait_exit "$APP_PID" 10 || app_fail "the second run did not close"
[ "$APP_RC" -eq 0 ] || app_fail "exit code $APP_RC at the second close"
echo PASS
