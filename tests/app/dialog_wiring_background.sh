# The "Custom Background" dialog driven with the pointer and the keyboard: Add Image through
# the file chooser, the "Use your own image" lamp, clicks on list rows, the three mode lamps,
# the interval box, Remove Image and Remove All each change what the tank shows behind the
# dialog and what the dialog writes to the settings file when Escape hides it.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/dialogs.bash"
app_setup "$@"

# The dialog's layout in dialog units (its client area is 265 by 135).
DU_W=265; DU_H=135
OWN_IMAGE="7 5 110 13"
LIST="7 21 251 66"
REPEAT_ONE="7 92 56 13"; REPEAT_ALL="66 92 56 13"; MODE_RANDOM="125 92 48 13"
INTERVAL="207 92 32 13"
ADD_IMAGE="7 112 60 16"; REMOVE_IMAGE="72 112 60 16"; REMOVE_ALL="137 112 60 16"
TITLE="Custom Background"
SECTION="Custom Images"

pics=$APP_TMP/pictures
mkdir -p "$pics"
for c in red:#ff0000 green:#00ff00 blue:#0000ff; do
  convert -size 64x64 "xc:${c#*:}" "$pics/${c%%:*}.png" || app_fail "cannot make ${c%%:*}.png"
done

app_start
app_wait_window "$APP_PID" 30 > /dev/null || app_fail "no window appeared"
# The tank's own background, before any picture of ours.
dlg_until dlg_tank_is other || app_fail "the tank starts as $(dlg_tank_colour)"

dlg_menu 6
dlg_wait_for_window "$TITLE"
dlg_use "$DLG_WIN" $DU_W $DU_H
dlg_list_measure $LIST

# Add Image, three times, through the file chooser; each adds one row.
n=0
for c in red green blue; do
  dlg_click $ADD_IMAGE
  dlg_choose_file "$pics/$c.png"
  n=$((n + 1))
  [ $n -eq 1 ] && dlg_list_measure_row
  [ $n -eq 2 ] && dlg_list_measure_pitch
  dlg_wait_rows $n "Add Image $c.png"
done
# The lamp is off: the pictures are listed, not shown.
sleep 0.5
[ "$(dlg_tank_colour)" = other ] || app_fail "a picture shows with the lamp off"

# The lamp on starts the slideshow; Repeat One shows the first row's picture.
dlg_click $OWN_IMAGE
dlg_wait_tank red "Use your own image on"

# A click on the third row shows its picture.
dlg_click_row 2
dlg_wait_tank blue "click on row 2"

# Repeat All with an interval of one second: after the last row comes the first, then the
# second. (With the dialog's five seconds neither would come within the wait.)
dlg_click $REPEAT_ALL
dlg_wait_lamp $REPEAT_ALL "Repeat All"
dlg_type_into $INTERVAL 1
DLG_WAIT=4 dlg_wait_tank red "Repeat All after the last row"
DLG_WAIT=4 dlg_wait_tank green "Repeat All after the first row"

# Repeat One holds the picture on show through more than one interval.
dlg_click $REPEAT_ONE
dlg_wait_lamp $REPEAT_ONE "Repeat One"
dlg_until dlg_lamp_dark $REPEAT_ALL || app_fail "Repeat All stays lit after Repeat One"
held=$(dlg_tank_colour)
for _ in 1 2 3 4 5 6; do
  sleep 0.3
  now=$(dlg_tank_colour); [ "$now" = "$held" ] || app_fail "Repeat One moved on from $held to $now"
done

# Remove Image deletes the selected row (the first, clicked) and shows the new first row.
dlg_click_row 0
dlg_wait_tank red "click on row 0"
dlg_click $REMOVE_IMAGE
dlg_wait_rows 2 "Remove Image"
dlg_wait_tank green "Remove Image"

# Random is the last mode chosen; Enter does nothing; Escape hides the dialog and saves.
dlg_random_enter_escape $MODE_RANDOM
ini_wait "$SECTION" ImageSum 2 "hide after Remove Image"
ini_expect "$SECTION" ImageList0 "$pics/green.png" "the first row left"
ini_expect "$SECTION" ImageList1 "$pics/blue.png" "the second row left"
ini_expect "$SECTION" OwnImage 1 "the lamp on"
ini_expect "$SECTION" RandomImage 1 "Random chosen"
ini_expect "$SECTION" CycImage 0 "Random chosen"
ini_expect "$SECTION" RepeatImage 0 "Random chosen"
ini_expect "$SECTION" ImageTime 1 "the interval typed"

# Shown again: Remove All empties the list and no picture of ours is left on show; the lamp
# off brings the tank's own background back.
dlg_menu 6
dlg_wait_for_window "$TITLE"
dlg_use "$DLG_WIN" $DU_W $DU_H
dlg_wait_rows 2 "shown again"
dlg_click $REPEAT_ALL
dlg_click $REMOVE_ALL
dlg_wait_rows 0 "Remove All"
sleep 0.5
case $(dlg_tank_colour) in red|green|blue) app_fail "a removed picture still shows" ;; esac
dlg_click $OWN_IMAGE
dlg_wait_tank other "Use your own image off"
dlg_type_into $INTERVAL 7
dlg_focus "$DLG_WIN"
xdotool key Escape
dlg_until dlg_hidden "$TITLE" || app_fail "Escape did not hide the dialog"
ini_wait "$SECTION" ImageSum 0 "hide after Remove All"
ini_expect "$SECTION" OwnImage 0 "the lamp off"
ini_expect "$SECTION" CycImage 1 "Repeat All chosen"
ini_expect "$SECTION" RandomImage 0 "Repeat All chosen"
ini_expect "$SECTION" ImageTime 7 "the interval typed again"

kill -TERM "$APP_PID"
app_wait_exit "$APP_PID" 10 || app_fail "no close after the dialog"
echo PASS
