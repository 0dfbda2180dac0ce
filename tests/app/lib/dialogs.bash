# Helpers for driving the settings dialogs with the real pointer and keyboard: opening them
# from the tank's menu, clicking their controls by dialog-unit rectangles, choosing files in
# the file chooser, reading list rows and screen colours off screenshots, reading the settings
# file and listening to the mixed sound. Source after common.bash and call app_setup first.
#
# Control places are the dialogs' own layout in dialog units; a dialog's pixel scale comes from
# its window size against its size in dialog units, so nothing here depends on screen pixels.

DLG_SHOT=""      # the latest screenshot (dlg_shot)
DLG_WAIT=${DLG_WAIT:-8}  # seconds any single wait may take (times APP_WAIT_FACTOR)

# Polls the command "$@" every 0.1 s until it succeeds, for up to $DLG_WAIT seconds (longer
# for a slow build).
dlg_until() { app_until "$DLG_WAIT" "$@"; }

# The visible window of the program whose title starts with $1; empty when none.
dlg_find() {
  xdotool search --all --onlyvisible --pid "$APP_PID" --name "^$1" 2>/dev/null | head -1
}
dlg_visible() { [ -n "$(dlg_find "$1")" ]; }
# A search of the window tree that meets a window as it goes (the menu's, just after a
# choice) can come back empty, so a window counts as hidden when two searches agree.
dlg_hidden() { [ -z "$(dlg_find "$1")" ] && sleep 0.1 && [ -z "$(dlg_find "$1")" ]; }

# Waits for the window titled $1; sets DLG_WIN to its id, the one found visible (a second
# search may come back empty, as dlg_hidden says).
dlg_found() { DLG_WIN=$(dlg_find "$1"); [ -n "$DLG_WIN" ]; }
dlg_wait_for_window() {
  dlg_until dlg_found "$1" || app_fail "no window \"$1\" appeared"
}

# True when the tank's popup menu shows with its top left corner at ($1, $2): its second
# item's icon column and text field have their colours (from a fresh screenshot).
dlg_menu_shows() {
  dlg_shot
  [ "$(dlg_pixel $(($1 + 2)) $(($2 + 50)))" = "219 216 209" ] &&
    [ "$(dlg_pixel $(($1 + 120)) $(($2 + 52)))" = "249 248 247" ]
}

# Opens the tank's popup menu with the right button at (400, 300) and picks item $1 (0 first);
# the items are 48 pixels high. Moves the pointer in two steps so the item under it lights.
# A click while the tank still starts up (its first picture can take seconds on a slow
# build) opens no menu, so the click is made again until the menu shows.
dlg_menu() {
  local cx=400 cy=300 try
  xdotool mousemove "$cx" "$cy"
  for try in 1 2 3 4; do
    xdotool click 3
    DLG_WAIT=4 dlg_until dlg_menu_shows "$cx" "$cy" && break
    [ "$try" -lt 4 ] || app_fail "the menu did not open at ($cx, $cy)"
  done
  xdotool mousemove $((cx + 60)) $((cy + $1 * 48 + 20))
  sleep 0.1
  xdotool mousemove $((cx + 64)) $((cy + $1 * 48 + 24))
  sleep 0.2
  xdotool click 1
}

# Makes window $1, whose client area measures $2 by $3 dialog units, the one that
# dlg_px / dlg_click measure against: sets DLG_X DLG_Y (its client origin on the screen) and
# DLG_W DLG_H (its size in pixels).
dlg_use() {
  read -r DLG_X DLG_Y DLG_W DLG_H < <(app_geometry "$1")
  DLG_DU_W=$2
  DLG_DU_H=$3
}

# Screen pixel of the point (x, y) in dialog units; prints "X Y".
dlg_px() {
  awk -v x="$1" -v y="$2" -v ox="$DLG_X" -v oy="$DLG_Y" -v w="$DLG_W" -v h="$DLG_H" \
      -v dw="$DLG_DU_W" -v dh="$DLG_DU_H" \
      'BEGIN { printf "%d %d\n", ox + x * w / dw + 0.5, oy + y * h / dh + 0.5 }'
}

# Screen rectangle of a place (x y w h in dialog units); prints "X Y W H".
dlg_rect() {
  local x0 y0 x1 y1
  read -r x0 y0 < <(dlg_px "$1" "$2")
  read -r x1 y1 < <(dlg_px $(($1 + $3)) $(($2 + $4)))
  echo "$x0 $y0 $((x1 - x0)) $((y1 - y0))"
}

# Gives window $1 the keyboard. (Not with --sync: on a screen without a window manager the
# wait for the focus can last for ever.)
dlg_focus() {
  xdotool windowfocus "$1" 2>/dev/null
  sleep 0.2
}

# Left click at the screen pixel (x, y).
dlg_click_at() {
  xdotool mousemove "$1" "$2" sleep 0.1 click 1
}

# Left click in the middle of a place (x y w h in dialog units).
dlg_click() {
  local x y w h
  read -r x y w h < <(dlg_rect "$@")
  dlg_click_at $((x + w / 2)) $((y + h / 2))
}

# Clicks the place and types into it: selects what the box holds, then types $5.
dlg_type_into() {
  dlg_click "$1" "$2" "$3" "$4"
  sleep 0.2
  xdotool key ctrl+a
  xdotool type --delay 20 "$5"
}

# Chooses the file $1 in the file chooser that an Add button has opened: the location entry
# (ctrl+L) takes the whole path, Return opens it.
dlg_choose_file() {
  local chooser
  dlg_until dlg_visible "Select a file" || app_fail "no file chooser appeared"
  chooser=$(dlg_find "Select a file")
  dlg_focus "$chooser"
  # The chooser's location field takes a moment to open, and its typed text a moment to
  # settle (longer in a slow build).
  local settle
  settle=$(awk -v f="${APP_WAIT_FACTOR:-1}" 'BEGIN { print 0.3 * f }')
  xdotool key ctrl+l
  sleep "$settle"
  xdotool type --delay 5 "$1"
  sleep "$settle"
  xdotool key Return
  dlg_until dlg_hidden "Select a file" || app_fail "the file chooser stayed open for $1"
}

# Takes a screenshot into DLG_SHOT (uncompressed: a PNG of the screen takes seconds).
dlg_shot() {
  DLG_SHOT=$APP_TMP/dlg.ppm
  import -window root "$DLG_SHOT" 2>/dev/null || app_fail "cannot take a screenshot"
}

# Colour of one pixel of the latest screenshot as "r g b".
dlg_pixel() {
  convert "$DLG_SHOT" -format \
    "%[fx:int(255*p{$1,$2}.r+0.5)] %[fx:int(255*p{$1,$2}.g+0.5)] %[fx:int(255*p{$1,$2}.b+0.5)]" info:
}

# The colour of the tank behind the dialogs, from a fresh screenshot: the screen's left and
# right fifths (no dialog stands there: they are centred and narrower than three fifths of the
# screen) cut into blocks of about 24 by 27 pixels; the name that more than half the blocks'
# mean colours take, else "other". Fish in front, even the large ones, cover less.
dlg_tank_colour() {
  local w=$((SCREEN_W / 5))
  dlg_shot
  convert "$DLG_SHOT" \( -clone 0 -crop "${w}x$SCREEN_H+0+0" +repage \) \
    \( -clone 0 -crop "${w}x$SCREEN_H+$((SCREEN_W - w))+0" +repage \) -delete 0 +append \
    -scale '32x40!' -depth 8 txt:- |
    awk 'NR > 1 { gsub(/[()]/, "", $2); split($2, c, ","); r = c[1]; g = c[2]; b = c[3]; n++
           if (r > 160 && g < 90 && b < 90) k["red"]++
           else if (g > 160 && r < 90 && b < 90) k["green"]++
           else if (b > 160 && r < 90 && g < 90) k["blue"]++ }
         END { for (name in k) if (k[name] * 2 > n) { print name; exit } print "other" }'
}
# Waits until the tank's colour is named $1.
dlg_tank_is() { [ "$(dlg_tank_colour)" = "$1" ]; }
dlg_wait_tank() {
  dlg_until dlg_tank_is "$1" || app_fail "$2: the tank shows $(dlg_tank_colour), not $1"
}

# ---- report lists ----
# A list is given by its place in dialog units; rows are found along a pixel column a few
# pixels inside its left edge. Sand is the colour of the list's empty area.
dlg_is_sand() { [ "$1" -ge 185 ] && [ "$1" -le 215 ] && [ "$2" -ge 170 ] && [ "$2" -le 195 ] &&
                [ "$3" -ge 115 ] && [ "$3" -le 145 ]; }

# Colours of the pixel column x from y0 to y1 of the latest screenshot, one "y r g b" a line.
dlg_column() {
  convert "$DLG_SHOT" -crop "1x$(($3 - $2))+$1+$2" +repage -depth 8 txt:- |
    awk -v y0="$2" 'NR > 1 { split($1, p, "[,:]"); gsub(/[()]/, "", $2); split($2, c, ",");
                             print y0 + p[2], int(c[1]), int(c[2]), int(c[3]) }'
}

# Measures an empty list (place in dialog units), waiting until it is drawn: sets LIST_X (the
# column looked at), LIST_TOP (first pixel row below the header) and LIST_BOTTOM.
dlg_list_measure() {
  local x y w h
  read -r x y w h < <(dlg_rect "$@")
  LIST_X=$((x + 6))
  LIST_Y=$y
  LIST_BOTTOM=$((y + h - 3))
  LIST_TOP=""
  LIST_RULE0=$LIST_BOTTOM  # until rows are measured
  LIST_PITCH=$h
  dlg_until dlg_list_find_top || app_fail "no empty list area found"
}
# The first sand pixel below the header, once the list is drawn: a list half painted (a slow
# build) shows sand from its top, or only below a stretch of another colour. The header is 8
# to 40 pixels high, and two screenshots 0.2 s apart must agree.
dlg_list_top_now() {
  local line header=0
  dlg_shot
  while read -r line; do
    set -- $line
    if dlg_is_sand "$2" "$3" "$4"; then
      [ "$header" -ge 8 ] && [ "$header" -le 40 ] || return 1
      echo "$1"
      return 0
    fi
    header=$((header + 1))
  done < <(dlg_column "$LIST_X" "$LIST_Y" "$LIST_BOTTOM")
  return 1
}
dlg_list_find_top() {
  local first second
  first=$(dlg_list_top_now) || return 1
  sleep 0.2
  second=$(dlg_list_top_now) || return 1
  [ "$first" = "$second" ] || return 1
  LIST_TOP=$first
}

# Measures where rows lie once the first row is drawn, not selected: a row ends with its rule
# line, and the first rule line is the first non-sand pixel below the header. Sets LIST_RULE0.
dlg_list_measure_row() {
  LIST_RULE0=""
  dlg_until dlg_list_find_rule "$LIST_TOP" || app_fail "no list row found"
  LIST_RULE0=$DLG_RULE
  LIST_PITCH=$((LIST_BOTTOM - LIST_TOP))  # until a second row is measured
}
# Then, once a second row is drawn, the distance between rows. Sets LIST_PITCH.
dlg_list_measure_pitch() {
  dlg_until dlg_list_find_rule $((LIST_RULE0 + 1)) || app_fail "no second list row found"
  LIST_PITCH=$((DLG_RULE - LIST_RULE0))
  [ "$LIST_PITCH" -ge 8 ] || app_fail "list rows $LIST_PITCH pixels apart"
}
# The rule line below y = $1 as DLG_RULE: sand from $1 on for at least 8 pixels, then one or
# two pixels of another colour, then sand again (so a half-drawn window does not count).
dlg_list_find_rule() {
  local line sand=0 rule=0
  dlg_shot
  while read -r line; do
    set -- $line
    if dlg_is_sand "$2" "$3" "$4"; then
      [ "$rule" -gt 0 ] && return 0
      sand=$((sand + 1))
    else
      [ "$sand" -ge 8 ] || return 1
      [ "$rule" -eq 0 ] && DLG_RULE=$1
      rule=$((rule + 1))
      [ "$rule" -le 2 ] || return 1
    fi
  done < <(dlg_column "$LIST_X" "$1" "$LIST_BOTTOM")
  return 1
}

# Number of rows the list shows (a row's rule line is never sand, nor is a selected or
# highlighted row), from a fresh screenshot.
dlg_list_rows() {
  local n=0 y r g b
  dlg_shot
  while :; do
    y=$((LIST_RULE0 + n * LIST_PITCH))
    [ "$y" -lt "$LIST_BOTTOM" ] || break
    read -r r g b < <(dlg_pixel "$LIST_X" "$y")
    dlg_is_sand "$r" "$g" "$b" && break
    n=$((n + 1))
  done
  echo "$n"
}
dlg_rows_are() { [ "$(dlg_list_rows)" -eq "$1" ]; }
dlg_wait_rows() {
  dlg_until dlg_rows_are "$1" || app_fail "$2: the list shows $(dlg_list_rows) rows, not $1"
}

# Screen point in the middle of row $1 (from 0), a little inside the list.
dlg_row_point() {
  echo "$((LIST_X + 20)) $((LIST_RULE0 - LIST_PITCH / 2 + $1 * LIST_PITCH))"
}
dlg_click_row() {
  local x y
  read -r x y < <(dlg_row_point "$1")
  dlg_click_at "$x" "$y"
}

# ---- the settings file ----
SETTINGS_FILE_NAME=PelavoSet.ini

# Value of key $2 in section $1 of the settings file (empty when absent).
ini_get() {
  awk -v s="[$1]" -v k="$2" '
    /^\[/ { in_s = ($0 == s); next }
    in_s { i = index($0, "="); if (i && substr($0, 1, i - 1) == k) { print substr($0, i + 1); exit } }
  ' "$SETTINGS_DIR/$SETTINGS_FILE_NAME" 2>/dev/null
}
ini_is() { [ "$(ini_get "$1" "$2")" = "$3" ]; }
# Waits until key $2 of section $1 reads $3.
ini_wait() {
  dlg_until ini_is "$1" "$2" "$3" ||
    app_fail "${4:-settings}: [$1] $2 is \"$(ini_get "$1" "$2")\", not \"$3\""
}
# Fails unless key $2 of section $1 reads $3 now.
ini_expect() {
  ini_is "$1" "$2" "$3" || app_fail "${4:-settings}: [$1] $2 is \"$(ini_get "$1" "$2")\", not \"$3\""
}

# ---- sound ----
# The program's sound goes to a file through SDL's disk driver, written as fast as it would
# play: 44100 frames a second of two signed 16-bit channels.
dlg_audio_to_file() {
  export SDL_AUDIODRIVER=disk
  export SDL_DISKAUDIOFILE=$APP_TMP/sound.raw
  DLG_SOUND=$SDL_DISKAUDIOFILE
}

# "rms frequency" of the last 0.2 s written: the RMS amplitude (0..1) of the left channel and
# its frequency in Hz from the count of zero crossings.
dlg_sound() {
  local bytes=35280 size start
  size=$(stat -c %s "$DLG_SOUND" 2>/dev/null || echo 0)
  start=$(((size / 4) * 4 - bytes))
  [ "$start" -ge 0 ] || { echo "0 0"; return; }
  tail -c +$((start + 1)) "$DLG_SOUND" | head -c "$bytes" | od -An -v -td2 -w4 |
    awk '{ v = $1 / 32768; s += v * v; n++
           if (n > 1 && (v >= 0) != (last >= 0)) z++; last = v }
         END { printf "%.4f %d\n", n ? sqrt(s / n) : 0, n ? z / 2 / (n / 44100) : 0 }'
}

# True when the sound now is a tone of about $1 Hz (within 5 %) of at least $DLG_TONE_RMS
# RMS. A window that takes in the silence between two tracks has a lower RMS and seems lower
# in pitch: set DLG_TONE_RMS close to a whole tone's RMS so that it does not count.
DLG_TONE_RMS=${DLG_TONE_RMS:-0.01}
dlg_sound_is_tone() {
  local rms freq
  read -r rms freq < <(dlg_sound)
  awk -v r="$rms" -v f="$freq" -v t="$1" -v m="$DLG_TONE_RMS" \
    'BEGIN { exit !(r >= m && f > t * 0.95 && f < t * 1.05) }'
}
# True when the sound is quieter than 0.002 RMS now and in two more looks 0.25 s apart (so
# the short silence between two tracks does not count).
dlg_sound_is_silent() {
  local rms freq i
  for i in 1 2 3; do
    [ $i -eq 1 ] || sleep 0.25
    read -r rms freq < <(dlg_sound)
    awk -v r="$rms" 'BEGIN { exit !(r < 0.002) }' || return 1
  done
}
dlg_wait_tone() {
  dlg_until dlg_sound_is_tone "$1" || app_fail "$2: the sound is \"$(dlg_sound)\" (rms Hz), not a $1 Hz tone"
}

# ---- lamps ----
# True when the mode lamp at the place (x y w h in dialog units) is lit: its green lamp shows
# (at least 20 pixels of pure green), from a fresh screenshot.
dlg_lamp_lit() {
  local x y w h
  read -r x y w h < <(dlg_rect "$@")
  dlg_shot
  [ "$(convert "$DLG_SHOT" -crop "${w}x$h+$x+$y" +repage -depth 8 txt:- |
       grep -ci '#00FF00')" -ge 20 ]
}
# True when that lamp is out (a lamp that goes out may repaint a moment after the one lit).
dlg_lamp_dark() { ! dlg_lamp_lit "$@"; }
dlg_wait_lamp() {
  local what=$5
  dlg_until dlg_lamp_lit "$1" "$2" "$3" "$4" || app_fail "$what: the lamp is not lit"
}

# Picks the Random lamp at the place $1..$4 (dialog units), checks that Enter leaves the dialog
# open and that Escape hides it; the dialog is the one titled $TITLE in window $DLG_WIN.
dlg_random_enter_escape() {
  dlg_click "$@"
  dlg_wait_lamp "$@" "Random"
  dlg_focus "$DLG_WIN"
  xdotool key Return
  sleep 0.5
  dlg_visible "$TITLE" || app_fail "Enter closed the dialog"
  dlg_focus "$DLG_WIN"
  xdotool key Escape
  dlg_until dlg_hidden "$TITLE" || app_fail "Escape did not hide the dialog"
}

# ---- Escape ----
# True when window $1 has the keyboard.
dlg_has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# Opens the dialog titled $2 from menu item $1 $3 times each way and closes it with Escape:
# sent to the dialog's own window (as on-screen keyboards, automation and remote desktops
# send keys) and pressed on the keyboard, alternately; then once more, held down for 1.5 s
# (the key's repeats come to the tank once the dialog has gone). The dialog takes the
# keyboard by itself once it shows; each Escape closes just the dialog and the tank runs on.
# Then Escape in the tank ends the program with code 0.
dlg_escape_closes_only() {
  local item=$1 title=$2 tries=$3 try way win
  win=$(app_wait_window "$APP_PID" 30) || app_fail "no window appeared"
  for try in $(seq $((2 * tries + 1))); do
    if [ "$try" -gt $((2 * tries)) ]; then way="held down"
    elif [ $((try % 2)) -eq 1 ]; then way="sent to its window"
    else way="pressed"; fi
    dlg_menu "$item"
    dlg_wait_for_window "$title"
    dlg_until dlg_has_focus "$DLG_WIN" || app_fail "try $try: the $title dialog did not take the keyboard"
    case "$way" in
      # xdotool sends the key's release to the dialog's window, which has gone by then, so
      # the key may stay down: its repeats must not end the tank either. It is let go after.
      "sent to its window") xdotool key --window "$DLG_WIN" Escape 2>/dev/null
                            sleep 0.8; xdotool keyup Escape ;;
      pressed) xdotool key Escape ;;
      "held down") xdotool keydown Escape; sleep 1.5; xdotool keyup Escape ;;
    esac
    dlg_until dlg_hidden "$title" || app_fail "try $try: Escape $way did not close the $title dialog"
    sleep 0.3
    kill -0 "$APP_PID" 2>/dev/null || app_fail "try $try: Escape $way in the $title dialog ended the program"
  done
  app_note "$tries of $tries each way, and held down: Escape closed only the $title dialog"
  xdotool mousemove 500 400
  dlg_focus "$win"
  xdotool key Escape
  app_wait_exit "$APP_PID" 5 || app_fail "Escape in the tank did not end the program"
  [ "$APP_RC" -eq 0 ] || app_fail "exit code $APP_RC after Escape"
}
