# The program against a damaged settings directory: a lock file left by a killed copy, a
# settings file of binary garbage, a settings "file" that is a directory, and (for users
# other than root) a settings file nobody may read. It must start every time and never
# destroy a settings file it could not read.
source "$(dirname "$0")/lib/common.bash"
app_setup "$@"
ini=$SETTINGS_DIR/PelavoSet.ini

run_briefly() {  # $1: what is being tried
  app_start
  app_wait_window "$APP_PID" 30 >/dev/null || app_fail "no window with $1"
  sleep 3
  kill -0 "$APP_PID" 2>/dev/null || app_fail "the program ended by itself with $1"
  kill -TERM "$APP_PID"; app_wait_exit "$APP_PID" 10 || app_fail "no exit after TERM with $1"
  app_note "$1: started and ended"
}

# A first run leaves the settings directory and its lock files in place of a killed copy.
run_briefly "a fresh directory"
app_start
app_wait_window "$APP_PID" 30 >/dev/null || app_fail "no window for the copy to kill"
kill -9 "$APP_PID"; wait "$APP_PID" 2>/dev/null
app_note "lock files after kill -9: $(ls -a "$SETTINGS_DIR" | tr '\n' ' ')"
run_briefly "a lock file of a killed copy"

# Binary garbage (the same bytes every run): read as nothing, so the defaults are taken and
# written.
LC_ALL=C awk 'BEGIN { srand(7); for (i = 0; i < 65536; i++) printf "%c", int(rand() * 256) }' > "$ini"
run_briefly "a settings file of random bytes"
grep -q '^\[Fish Number\]' "$ini" || app_fail "the garbage file did not get its defaults"

# A directory where the settings file belongs: nothing can be read or written.
rm -f "$ini"; mkdir "$ini"; echo keep > "$ini/inside"
run_briefly "a directory for a settings file"
[ -d "$ini" ] && [ "$(cat "$ini/inside")" = keep ] || app_fail "the directory was touched"
rm -rf "$ini"

# A file nobody may read (root reads anyway, so only for other users).
if [ "$(id -u)" -ne 0 ]; then
  printf '[Fish Number]\nFish0=5\n' > "$ini"
  before=$(sha256sum < "$ini")
  chmod 000 "$ini"
  run_briefly "an unreadable settings file"
  chmod 600 "$ini"
  [ "$(sha256sum < "$ini")" = "$before" ] || app_fail "the unreadable file was changed"
fi
echo PASS
