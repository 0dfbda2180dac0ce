# `cmake --install` into a fresh prefix puts the program, its launcher, icons, about page,
# manual page and screensaver description at the standard paths, and each of them is well
# formed: the launcher validates, the icons have their sizes, the manual page renders
# without warnings, and the installed program starts.
source "$(dirname "$0")/lib/common.bash"
app_setup "$@"
BUILD=$(dirname "$PELAVO")
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
PREFIX=$APP_TMP/prefix

cmake --build "$BUILD" --target manpage > "$APP_TMP/build.log" 2>&1 ||
  app_fail "cannot build the manual page: $(tail -5 "$APP_TMP/build.log")"
cmake --install "$BUILD" --prefix "$PREFIX" > "$APP_TMP/install.log" 2>&1 ||
  app_fail "cmake --install failed: $(tail -5 "$APP_TMP/install.log")"

expect_file() { [ -f "$PREFIX/$1" ] || app_fail "not installed: $1"; }
expect_file bin/pelavo
[ -x "$PREFIX/bin/pelavo" ] || app_fail "bin/pelavo is not executable"
expect_file share/applications/pelavo.desktop
expect_file share/applications/pelavo-desktop.desktop
expect_file share/pelavo/about.html
expect_file share/man/man6/pelavo.6.gz
expect_file share/xscreensaver/config/pelavo.xml
for n in 16 32 48 64 128 256; do
  icon=share/icons/hicolor/${n}x$n/apps/pelavo.png
  expect_file "$icon"
  size=$(identify -format '%wx%h' "$PREFIX/$icon")
  [ "$size" = "${n}x$n" ] || app_fail "$icon is $size, not ${n}x$n"
done

# The launcher: valid, named Pelavo, starting the program by name with the installed icon.
desktop=$PREFIX/share/applications/pelavo.desktop
out=$(desktop-file-validate "$desktop" 2>&1) || app_fail "desktop-file-validate: $out"
[ -z "$out" ] || app_fail "desktop-file-validate complains: $out"
grep -qx 'Name=Pelavo' "$desktop" || app_fail "the launcher is not named Pelavo"
grep -q '^Comment=.' "$desktop" || app_fail "the launcher has no comment"
grep -qx 'Exec=pelavo' "$desktop" || app_fail "the launcher does not start pelavo"
# The second launcher starts the tank as the desktop background.
background=$PREFIX/share/applications/pelavo-desktop.desktop
out=$(desktop-file-validate "$background" 2>&1) || app_fail "desktop-file-validate: $out"
[ -z "$out" ] || app_fail "desktop-file-validate complains of the background's launcher: $out"
grep -qx 'Name=Pelavo Desktop Background' "$background" || app_fail "the second launcher's name"
grep -qx 'Exec=pelavo --desktop' "$background" || app_fail "the second launcher does not start pelavo --desktop"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$PREFIX/share/icons/hicolor/48x48/apps/$icon.png" ] || app_fail "the launcher's icon '$icon' is not installed"

# The screensaver description names the program and runs it on the root window.
xml=$PREFIX/share/xscreensaver/config/pelavo.xml
xmllint --noout "$xml" 2>"$APP_TMP/xml.log" || app_fail "pelavo.xml is not well formed: $(cat "$APP_TMP/xml.log")"
[ "$(xmllint --xpath 'string(/screensaver/@name)' "$xml")" = pelavo ] || app_fail "pelavo.xml has the wrong name"
[ "$(xmllint --xpath 'string(/screensaver/@_label)' "$xml")" = Pelavo ] || app_fail "pelavo.xml has the wrong label"
[ "$(xmllint --xpath 'string(/screensaver/command/@arg)' "$xml")" = --root ] || app_fail "pelavo.xml does not pass --root"

# The manual page is the one from the sources, renders without a warning and has every section.
cmp -s <(gzip -dc "$PREFIX/share/man/man6/pelavo.6.gz") "$SOURCE/packaging/pelavo.6" ||
  app_fail "the installed manual page differs from packaging/pelavo.6"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$PREFIX/share/man/man6/pelavo.6.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || app_fail "the manual page renders with warnings: $warnings"
page=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$PREFIX/share/man/man6/pelavo.6.gz" 2>/dev/null)
for section in NAME SYNOPSIS DESCRIPTION OPTIONS MOUSE KEYS MENU FILES; do
  grep -q "^$section" <<< "$page" || app_fail "the manual page has no $section section"
done
for item in "Feed Fish" "Touch Fish" "Zoom In Fish" "Zoom Out Fish" "Add/Delete Fish" \
  "Custom Music" "Custom Background" "Start with Session" "Exit" "--root" "--window-id" \
  "--desktop" "--fps" "pelavo-desktop.desktop" "PelavoSet.ini" "profile.ini"; do
  grep -qF -- "$item" <<< "$page" || app_fail "the manual page does not mention $item"
done

# The installed program answers its options and opens its window.
"$PREFIX/bin/pelavo" --version | grep -q '^pelavo [0-9]' || app_fail "the installed program has no --version"
PELAVO=$PREFIX/bin/pelavo
app_start
app_wait_window "$APP_PID" 30 > /dev/null || app_fail "the installed program shows no window"
echo PASS
