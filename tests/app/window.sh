# The program opens one undecorated window that covers the screen exactly, draws the tank,
# writes every start-up key of the settings file and leaves no unpacked asset behind.
source "$(dirname "$0")/lib/common.bash"
app_setup "$@"

app_start
win=$(app_wait_window "$APP_PID" 30) || app_fail "no window appeared"
sleep 4
kill -0 "$APP_PID" 2>/dev/null || app_fail "the program ended by itself"

read -r x y w h < <(app_geometry "$win")
app_note "window $x,$y ${w}x$h, screen ${SCREEN_W}x$SCREEN_H"
[ "$x" -eq 0 ] && [ "$y" -eq 0 ] && [ "$w" -eq "$SCREEN_W" ] && [ "$h" -eq "$SCREEN_H" ] ||
  app_fail "the window does not cover the screen exactly"

# No caption or border: the window asks the window manager for no decorations.
hints=$(xprop -id "$win" _MOTIF_WM_HINTS)
app_note "$hints"
echo "$hints" | grep -Eq '= (0x)?[0-9a-f]+, (0x)?[0-9a-f]+, 0x0\b|= [0-9]+, [0-9]+, 0\b' ||
  app_fail "the window asks for decorations"
xprop -id "$win" WM_NAME | grep -q '"PelavoScr"' || app_fail "the title is not PelavoScr"

ini=$SETTINGS_DIR/PelavoSet.ini
[ -f "$ini" ] || app_fail "no settings file"
missing=0
for key in "Show Water" "Show Light" "Show Terra" "FRONT GUDING" "FRONTCOLOR" \
  "FRONT MANJIANBIAN" "FRONT COLOR1" "FRONT COLOR2" "FRONT AUTOJIANBIAN" "CHECK LOCKFORE" \
  "LOCKFORE ROT" "BACK GUDING" "BACKCOLOR" "BACK MANJIANBIAN" "BACK COLOR1" "BACK COLOR2" \
  "BACK AUTOJIANBIAN" "CHECK LOCKBACK" "LOCKBACK ROT" "YINLIANG" "QIPAONUM" "BACKGROUND" \
  "FOGNONGDU" "LIGHTQIANGDU" "CHECK VIEWS" "VIEWSLEFTRIGHT" "VIEWSNEARFAR" \
  Fish0 Fish1 Fish2 Fish3 Fish4 Fish5 Fish6 Fish7 Fish8 Fish9; do
  grep -q "^$key=." "$ini" || { echo "missing key: $key"; missing=1; }
done
[ "$missing" -eq 0 ] || app_fail "the settings file lacks start-up keys"
grep -q '^\[Zudadudu Settings\]' "$ini" && grep -q '^\[Fish Number\]' "$ini" ||
  app_fail "the settings file lacks its sections"

leftovers=$(find "$SETTINGS_DIR" -name '*.ad' -o -name '*.bmp' -o -name '*.wav')
[ -z "$leftovers" ] || app_fail "unpacked assets left behind: $leftovers"

# A drawn tank is not one flat colour.
app_until 10 app_shows_tank ||
  app_fail "the screen shows no tank ($(app_screen_colours) colours in a 64x36 thumbnail)"
app_note "distinct colours in a 64x36 thumbnail: $(app_screen_colours)"
echo PASS
