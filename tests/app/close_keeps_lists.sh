# Every orderly end keeps the lists the user built: with the picture dialog open and its list
# just emptied (Remove All, nothing saved yet), the window manager closing the window, and
# SIGTERM or SIGHUP (as at logout), each end with code 0 and leave the emptied list in the
# settings file.
source "$(dirname "$0")/lib/common.bash"
app_private_screen 1280x800 "$@"
app_setup "$@"
app_start_desktop openbox
DIALOG_TITLE="Custom Background - 3D Pelavo Zudadudu Zavivizarov 1.0"
ini=$SETTINGS_DIR/PelavoSet.ini
convert -size 64x48 xc:'rgb(200,60,40)' "$APP_TMP/one.png"
convert -size 64x48 xc:'rgb(40,60,200)' "$APP_TMP/two.png"

seed_list() {
  mkdir -p "$SETTINGS_DIR"
  cat > "$ini" <<INI
[Custom Images]
ImageSum=2
ImageList0=$APP_TMP/one.png
ImageList1=$APP_TMP/two.png
INI
}

# Opens the picture dialog from the menu and clicks Remove All in it; sets DIALOG.
open_dialog_and_remove_all() {
  app_menu_opens_at 300 200 || app_fail "the menu does not open"
  app_menu_pick 300 200 6
  DIALOG=
  for _ in $(seq 50); do
    DIALOG=$(xdotool search --onlyvisible --name "^${DIALOG_TITLE}\$" 2>/dev/null | head -1)
    [ -n "$DIALOG" ] && break
    sleep 0.1
  done
  [ -n "$DIALOG" ] || app_fail "the picture dialog did not open"
  sleep 0.5
  local x y w h
  read -r x y w h < <(app_geometry "$DIALOG")
  # Remove All sits at 137,112 (60 x 16) in the dialog's 265 x 135 dialog units.
  xdotool mousemove $((x + w * (137 + 30) / 265)) $((y + h * (112 + 8) / 135))
  sleep 0.3
  xdotool click 1
  sleep 0.5
  grep -q '^ImageSum=2$' "$ini" || app_fail "the list was saved before the end: $(cat "$ini")"
}

for how in wm-close SIGTERM SIGHUP; do
  seed_list
  app_start
  win=$(app_wait_window "$APP_PID" 30) || app_fail "$how: no window appeared"
  sleep 3
  open_dialog_and_remove_all
  case "$how" in
    wm-close) wmctrl -i -c "$win" ;;
    SIGTERM) kill -TERM "$APP_PID" ;;
    SIGHUP) kill -HUP "$APP_PID" ;;
  esac
  app_wait_exit "$APP_PID" 10 || app_fail "$how: the program did not end"
  [ "$APP_RC" -eq 0 ] || app_fail "$how: ended with code $APP_RC"
  grep -q '^ImageSum=0$' "$ini" || app_fail "$how: the emptied list was lost: $(grep Image "$ini")"
  app_note "$how: ended with 0, the emptied list is kept"
done
echo PASS
