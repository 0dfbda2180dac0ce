# The "Add/Delete Fish" dialog driven with the pointer and the keyboard: clicks on the cells,
# the Add, Delete, Random and Clear buttons, their keys, double clicks, the link, Enter and
# Escape each change the counts the dialog writes to the settings file twice a second.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/dialogs.bash"
app_setup "$@"

# The dialog's layout in dialog units: 334 by 345, with the bottom row (from 324 on) moved
# down, when the dialog font is small, to clear the 512 pixel high picture by 4 pixels.
DU_W=334; DU_H=345; BOTTOM_DU=324; PICTURE_H=512; PICTURE_GAP=4
ADD="121 324 27 15"; DELETE="150 324 32 15"; RANDOM_BUTTON="184 324 31 15"; CLEAR="217 324 27 15"
LINK="9 332 113 12"
# The cells are in pixels: 100 by 90 each, five to a row, from (2, 2).
CELL_W=100; CELL_H=90; CELL_LEFT=2; CELL_TOP=2
TITLE="Fish Settings"
SECTION="Fish Number"

# Pixel scale of the dialog: across from its width; down from its height, which is the
# dialog's 345 units plus the bottom row's shift when there is one.
fish_scale() {
  read -r DLG_X DLG_Y DLG_W DLG_H < <(app_geometry "$DLG_WIN")
  read -r SX SY < <(awk -v w="$DLG_W" -v h="$DLG_H" -v dw=$DU_W -v dh=$DU_H -v b=$BOTTOM_DU \
      -v p=$((PICTURE_H + PICTURE_GAP)) \
      'BEGIN { sy = h / dh; if (b * sy < p) sy = (h - p) / (dh - b); print w / dw, sy }')
}
# Left click in the middle of a bottom-row place (x y w h in dialog units), measured from the
# dialog's bottom edge.
fish_click() {
  local x y
  read -r x y < <(awk -v ox="$DLG_X" -v oy="$DLG_Y" -v h="$DLG_H" -v sx="$SX" -v sy="$SY" \
      -v dh=$DU_H -v px="$1" -v py="$2" -v pw="$3" -v ph="$4" \
      'BEGIN { printf "%d %d\n", ox + (px + pw / 2) * sx, oy + h - (dh - py - ph / 2) * sy }')
  dlg_click_at "$x" "$y"
}
# Screen point in the middle of cell $1.
cell_point() {
  echo "$((DLG_X + CELL_LEFT + ($1 % 5) * CELL_W + CELL_W / 2))" \
       "$((DLG_Y + CELL_TOP + ($1 / 5) * CELL_H + CELL_H / 2))"
}
click_cell() { dlg_click_at $(cell_point "$1"); }
key() { dlg_focus "$DLG_WIN"; xdotool key "$1"; }
# Waits until the file holds count $2 for slot $1.
count_is() { ini_wait "$SECTION" "Fish$1" "$2" "$3"; }
# Checks that slot $1 keeps count $2 through two saves.
count_stays() {
  sleep 1.2
  ini_expect "$SECTION" "Fish$1" "$2" "$3"
}
# True when every slot holds 1 to 10 and slot 0 (0 before) is not 0.
randomised() {
  local i c
  for i in 0 1 2 3 4 5 6 7 8; do
    c=$(ini_get "$SECTION" "Fish$i")
    [ -n "$c" ] && [ "$c" -ge 1 ] && [ "$c" -le 10 ] || return 1
  done
}
cleared() {
  local i
  for i in 0 1 2 3 4 5 6 7 8 9; do ini_is "$SECTION" "Fish$i" 0 || return 1; done
}

# Known counts to start from: slot 0 empty, slot 2 at 10, the rest 3.
mkdir -p "$SETTINGS_DIR"
{
  echo "[$SECTION]"
  for i in 0 1 2 3 4 5 6 7 8 9; do
    case $i in 0) c=0 ;; 2) c=10 ;; *) c=3 ;; esac
    echo "Fish$i=$c"
  done
} > "$SETTINGS_DIR/$SETTINGS_FILE_NAME"

app_start
app_wait_window "$APP_PID" 30 > /dev/null || app_fail "no window appeared"
dlg_menu 4
dlg_wait_for_window "$TITLE"
fish_scale

# Cell 2 chosen with a click; Add, Add, Delete by button; A and D by key; a left double click
# adds and a right double click deletes.
click_cell 2
fish_click $ADD;    count_is 2 11 "Add"
fish_click $ADD;    count_is 2 12 "Add again"
fish_click $DELETE; count_is 2 11 "Delete"
key a;              count_is 2 12 "key A"
key d;              count_is 2 11 "key D"
xdotool mousemove $(cell_point 2) sleep 0.1 click --repeat 2 --delay 60 1
count_is 2 12 "left double click"
xdotool click --repeat 2 --delay 60 3
count_is 2 11 "right double click"

# Another cell takes the selection; a click below the cells clears it, and Add then does
# nothing.
click_cell 7
key a;              count_is 7 4 "key A on cell 7"
ini_expect "$SECTION" Fish2 11 "cell 2 after cell 7 was chosen"
dlg_click_at $((DLG_X + 250)) $((DLG_Y + 480))
fish_click $ADD
count_stays 7 4 "Add with no cell chosen"

# Random by button and by key, Clear by button and by key.
fish_click $RANDOM_BUTTON
dlg_until randomised || app_fail "Random: the counts are not 1 to 10"
fish_click $CLEAR
dlg_until cleared || app_fail "Clear: the counts are not all 0"
key r
dlg_until randomised || app_fail "key R: the counts are not 1 to 10"
key c
dlg_until cleared || app_fail "key C: the counts are not all 0"

# The link opens the about page.
: > "$OPENED"
read -r lx ly lw lh < <(awk -v ox="$DLG_X" -v oy="$DLG_Y" -v h="$DLG_H" -v sx="$SX" -v sy="$SY" \
    -v dh=$DU_H -v px=9 -v py=332 'BEGIN { printf "%d %d\n", ox + px * sx + 12, oy + h - (dh - py) * sy + 5 }')
dlg_click_at "$lx" "$ly"
dlg_until test -s "$OPENED" || app_fail "the link opened nothing"
grep -q "about" "$OPENED" || app_fail "the link opened $(cat "$OPENED")"

# Enter closes the dialog, keeping a count added just before.
click_cell 4
fish_click $ADD
count_is 4 1 "Add on cell 4"
key Return
dlg_until dlg_hidden "$TITLE" || app_fail "Enter did not close the dialog"

# Opened again it shows the saved counts: Delete on cell 4 takes it back to 0; Escape closes.
dlg_menu 4
dlg_wait_for_window "$TITLE"
fish_scale
click_cell 4
fish_click $DELETE
count_is 4 0 "Delete after opening again"
key Escape
dlg_until dlg_hidden "$TITLE" || app_fail "Escape did not close the dialog"

kill -TERM "$APP_PID"
app_wait_exit "$APP_PID" 10 || app_fail "no close after the dialog"
echo PASS
