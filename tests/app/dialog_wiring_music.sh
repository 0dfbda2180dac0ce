# The "Custom Music" dialog driven with the pointer and the keyboard: Add Music through the
# file chooser, clicks on list rows, Play, Stop, Remove, Remove All, the On/Off lamp, the three
# mode lamps and the volume slider each change what is heard, which row is green, and what the
# dialog writes to the settings file when Escape hides it. The sound is taken from SDL's disk
# driver; each track is a steady tone of its own pitch.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/dialogs.bash"
app_setup "$@"
dlg_audio_to_file

# The dialog's layout in dialog units (its client area is 317 by 151).
DU_W=317; DU_H=151
ON_OFF="13 14 60 13"
LIST="13 30 291 58"
ADD_MUSIC="13 92 54 15"; REMOVE="72 92 54 15"; REMOVE_ALL="131 92 54 15"
PLAY="190 92 54 15"; STOP="249 92 54 15"
REPEAT_ONE="12 126 56 13"; REPEAT_ALL="70 126 56 13"; MODE_RANDOM="128 126 52 13"
VOLUME="197 125 108 16"
# The slider's own geometry in pixels: the thumb travels between margins of 8 and is 15 wide.
SLIDER_MARGIN=8; THUMB=15
TITLE="Custom Music"
SECTION="Custom Settings"

# Three tracks of two seconds, each a tone of its own pitch at half the full amplitude (an RMS
# of 0.354 at full volume; a window of sound counts as a tone only from 0.33 on).
DLG_TONE_RMS=0.33
tracks=$APP_TMP/music
mkdir -p "$tracks"
TONES=(700 1400 2800)
for i in 0 1 2; do
  sox -n -r 44100 -c 2 -b 16 "$tracks/tone$i.wav" synth 2 sine "${TONES[$i]}" vol 0.5 ||
    app_fail "cannot make tone$i.wav"
done

# True when row $1 of the list is painted green (the playing track).
row_green() {
  local x y
  read -r x y < <(dlg_row_point "$1")
  dlg_shot
  [ "$(convert "$DLG_SHOT" -crop "200x4+$((x - 10))+$((y - 2))" +repage -depth 8 txt:- |
       grep -ci '#00FF00')" -ge 100 ]
}
# The row painted green, or -1.
green_row() {
  local r
  for r in 0 1 2; do row_green $r && { echo $r; return; }; done
  echo -1
}
green_is() { [ "$(green_row)" = "$1" ]; }
wait_green() { dlg_until green_is "$1" || app_fail "$2: the green row is $(green_row), not $1"; }
# Waits until the tone of track $1 is heard and its row is green.
wait_track() {
  dlg_wait_tone "${TONES[$1]}" "$2"
  wait_green "$1" "$2"
}
# RMS amplitude of the sound now.
rms() { dlg_sound | cut -d' ' -f1; }
# True when the RMS amplitude lies between $1 and $2.
rms_between() { awk -v r="$(rms)" -v lo="$1" -v hi="$2" 'BEGIN { exit !(r >= lo && r <= hi) }'; }
# The same in two looks 0.3 s apart: a look that takes in the silence between two tracks is
# quieter, and two such looks seldom agree.
rms_steady() { rms_between "$1" "$2" && sleep 0.3 && rms_between "$1" "$2"; }
wait_rms() { dlg_until rms_steady "$1" "$2" || app_fail "$3: RMS $(rms), not $1 to $2"; }

app_start
app_wait_window "$APP_PID" 30 > /dev/null || app_fail "no window appeared"
# The built-in tune plays while no music of ours is on.
dlg_until rms_between 0.01 1 || app_fail "no built-in tune in the sound file"

dlg_menu 5
dlg_wait_for_window "$TITLE"
dlg_use "$DLG_WIN" $DU_W $DU_H
dlg_list_measure $LIST

# Remove with nothing selected only says so.
before=$(xdotool search --onlyvisible --pid "$APP_PID" | sort)
new_window() {
  box=$(comm -13 <(echo "$before") <(xdotool search --onlyvisible --pid "$APP_PID" | sort) | head -1)
  [ -n "$box" ]
}
no_new_window() { ! new_window; }
dlg_click $REMOVE
dlg_until new_window || app_fail "Remove with no row selected shows no message"
dlg_focus "$box"
xdotool key Return
dlg_until no_new_window || app_fail "the message box stayed"
# The box's owner, the tank, is brought to the front when it closes; a window manager would
# keep the dialog above its owner, and this screen has none.
xdotool windowraise "$DLG_WIN"

# Add Music, three times; each adds one row.
for i in 0 1 2; do
  dlg_click $ADD_MUSIC
  dlg_choose_file "$tracks/tone$i.wav"
  [ $i -eq 0 ] && dlg_list_measure_row
  [ $i -eq 1 ] && dlg_list_measure_pitch
  dlg_wait_rows $((i + 1)) "Add Music tone$i.wav"
done

# A click on the second row only opens it; Play plays it and the tune stops. (The playing row
# is green, but a selected row shows the selection's colour instead.)
dlg_click_row 1
sleep 0.5
dlg_sound_is_tone "${TONES[1]}" && app_fail "a click on a row played it before Play"
dlg_click $PLAY
dlg_wait_tone "${TONES[1]}" "Play after a click on row 1"

# A click on the third row while playing switches to it at once.
dlg_click_row 2
dlg_wait_tone "${TONES[2]}" "click on row 2 while playing"

# The volume: full at first; a click left of the thumb takes a tenth off; dragging the thumb
# to the middle halves it; End and Home (the slider has the focus) give full and none.
full=0.3536  # a sine of amplitude 0.5
wait_rms 0.33 0.38 "full volume"
read -r sx sy sw sh < <(dlg_rect $VOLUME)
travel=$((sw - 2 * SLIDER_MARGIN - THUMB))
dlg_click_at $((sx + 2)) $((sy + sh / 2))
wait_rms "$(awk -v f="$full" 'BEGIN { print f * 0.85 }')" "$(awk -v f="$full" 'BEGIN { print f * 0.95 }')" \
  "a click left of the thumb"
thumb_x=$((sx + SLIDER_MARGIN + travel * 9 / 10 + THUMB / 2))
xdotool mousemove "$thumb_x" $((sy + sh / 2)) sleep 0.1 mousedown 1 sleep 0.1 \
  mousemove $((thumb_x - 20)) $((sy + sh / 2)) sleep 0.1 \
  mousemove $((sx + SLIDER_MARGIN + travel / 2 + THUMB / 2)) $((sy + sh / 2)) sleep 0.2 mouseup 1
wait_rms "$(awk -v f="$full" 'BEGIN { print f * 0.42 }')" "$(awk -v f="$full" 'BEGIN { print f * 0.58 }')" \
  "the thumb dragged to the middle"
xdotool key Home
DLG_WAIT=3 dlg_until dlg_sound_is_silent || app_fail "Home: the sound is $(dlg_sound), not silent"
xdotool key End
wait_rms "$(awk -v f="$full" 'BEGIN { print f * 0.95 }')" "$(awk -v f="$full" 'BEGIN { print f * 1.05 }')" "End"

# Repeat One (the first mode) plays the third track again when it ends; Repeat All moves on
# to the first, then to the second. A look that takes in the short silence where the track
# starts again reads lower in pitch, so only another track's own pitch means it was left.
near() { awk -v f="$1" -v t="$2" 'BEGIN { exit !(f > t * 0.95 && f < t * 1.05) }'; }
heard=0
for _ in $(seq 12); do
  read -r level pitch < <(dlg_sound)
  if awk -v r="$level" -v m="$DLG_TONE_RMS" 'BEGIN { exit !(r >= m) }'; then
    if near "$pitch" "${TONES[2]}"; then
      heard=$((heard + 1))
    elif near "$pitch" "${TONES[0]}" || near "$pitch" "${TONES[1]}"; then
      app_fail "Repeat One left track 2 for $level $pitch"
    fi
  fi
  sleep 0.25
done
[ "$heard" -ge 6 ] || app_fail "Repeat One: track 2 heard in $heard of 12 looks"
dlg_click $REPEAT_ALL
dlg_wait_lamp $REPEAT_ALL "Repeat All"
dlg_until dlg_lamp_dark $REPEAT_ONE || app_fail "Repeat One stays lit after Repeat All"
wait_track 0 "Repeat All after the last track"
wait_track 1 "Repeat All after the first track"
dlg_click $REPEAT_ONE
dlg_wait_lamp $REPEAT_ONE "Repeat One"

# Stop silences the list (the tune stays off while On/Off is lit) and clears the green row.
dlg_click $STOP
DLG_WAIT=3 dlg_until dlg_sound_is_silent || app_fail "Stop: the sound is $(dlg_sound)"
wait_green -1 "Stop"

# Remove deletes the clicked row; On/Off off brings the tune back, on plays the first row.
dlg_click_row 0
sleep 0.3
dlg_click $REMOVE
dlg_wait_rows 2 "Remove"
dlg_click $ON_OFF
dlg_until rms_between 0.01 1 || app_fail "On/Off off: no tune"
sleep 0.5
for t in "${TONES[@]}"; do dlg_sound_is_tone "$t" && app_fail "On/Off off: a track plays"; done
dlg_click $ON_OFF
dlg_wait_tone "${TONES[1]}" "On/Off on: the first row left, tone1"
wait_green 0 "On/Off on"

# Random is the last mode chosen; Enter does nothing; Escape hides and saves (music plays on).
dlg_random_enter_escape $MODE_RANDOM
ini_wait "$SECTION" MusicSum 2 "hide after Remove"
ini_expect "$SECTION" MusicList0 "$tracks/tone1.wav" "the first row left"
ini_expect "$SECTION" MusicList1 "$tracks/tone2.wav" "the second row left"
ini_expect "$SECTION" OwnMusic 1 "On/Off on"
ini_expect "$SECTION" RandomMusic 1 "Random chosen"
ini_expect "$SECTION" CycMusic 0 "Random chosen"
ini_expect "$SECTION" RepeatMusic 0 "Random chosen"
DLG_WAIT=3 dlg_until rms_between 0.01 1 || app_fail "the music stopped with the dialog hidden"

# Shown again: Stop, Remove All, Repeat All, On/Off off; Escape saves that.
dlg_menu 5
dlg_wait_for_window "$TITLE"
dlg_use "$DLG_WIN" $DU_W $DU_H
dlg_click $STOP
dlg_click $REMOVE_ALL
dlg_wait_rows 0 "Remove All"
dlg_click $REPEAT_ALL
dlg_wait_lamp $REPEAT_ALL "Repeat All"
DLG_WAIT=3 dlg_until dlg_sound_is_silent || app_fail "Stop: the sound is $(dlg_sound)"
dlg_click $ON_OFF
dlg_until rms_between 0.01 1 || app_fail "On/Off off after Stop: no tune"
dlg_focus "$DLG_WIN"
xdotool key Escape
dlg_until dlg_hidden "$TITLE" || app_fail "Escape did not hide the dialog"
ini_wait "$SECTION" MusicSum 0 "hide after Remove All"
ini_expect "$SECTION" OwnMusic 0 "On/Off off"
ini_expect "$SECTION" CycMusic 1 "Repeat All chosen"
ini_expect "$SECTION" RandomMusic 0 "Repeat All chosen"

kill -TERM "$APP_PID"
app_wait_exit "$APP_PID" 10 || app_fail "no close after the dialog"
echo PASS
