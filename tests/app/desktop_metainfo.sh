# The software-centre description that `cmake --install` puts in share/metainfo/ passes
# `appstreamcli validate` without errors or warnings (pedantic hints are printed, not fatal),
# also together with the installed launcher it names, and says what the program says of
# itself: its name, its version and release, a content rating, and screenshots that exist in
# packaging/screenshots/ at the sizes it states.
source "$(dirname "$0")/lib/common.bash"
app_setup "$@"
BUILD=$(dirname "$PELAVO")
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
PREFIX=$APP_TMP/prefix
ID=org.pelavo.Pelavo

command -v appstreamcli > /dev/null || app_fail "appstreamcli is missing (Debian package appstream)"
cmake --build "$BUILD" --target manpage > "$APP_TMP/build.log" 2>&1 ||
  app_fail "cannot build the manual page: $(tail -5 "$APP_TMP/build.log")"
cmake --install "$BUILD" --prefix "$PREFIX" > "$APP_TMP/install.log" 2>&1 ||
  app_fail "cmake --install failed: $(tail -5 "$APP_TMP/install.log")"
xml=$PREFIX/share/metainfo/$ID.metainfo.xml
[ -f "$xml" ] || app_fail "not installed: share/metainfo/$ID.metainfo.xml"

# --strict fails on every error, warning and info; pedantic hints are only shown.
report=$(appstreamcli validate --no-net --strict --pedantic "$xml" 2>&1) ||
  app_fail "appstreamcli validate: $report"
hints=$(grep '^P:' <<< "$report" || true)
[ -z "$hints" ] || app_note "pedantic hints: $hints"
# The installed tree: the metainfo file together with the launcher and icons it points to.
report=$(appstreamcli validate-tree --no-net "$PREFIX" 2>&1) ||
  app_fail "appstreamcli validate-tree: $report"

xp() { xmllint --xpath "$1" "$xml"; }
[ "$(xp 'string(/component/id)')" = "$ID" ] || app_fail "the component id is not $ID"
[ "$(xp 'string(/component/@type)')" = desktop-application ] || app_fail "not a desktop application"
[ "$(xp 'string(/component/name)')" = Pelavo ] || app_fail "the component is not named Pelavo"
launcher=$(xp 'string(/component/launchable[@type="desktop-id"])')
[ -f "$PREFIX/share/applications/$launcher" ] || app_fail "the launchable '$launcher' is not installed"
[ "$(xp 'string(/component/provides/binary)')" = pelavo ] || app_fail "it does not provide the pelavo binary"
[ "$(xp 'count(/component/content_rating[@type="oars-1.1"])')" = 1 ] || app_fail "no OARS content rating"

# The newest release is the program's own version and carries a date.
version=$("$PREFIX/bin/pelavo" --version | awk '{print $2}')
[ "$(xp 'string(/component/releases/release[1]/@version)')" = "$version" ] ||
  app_fail "the newest release is not the program's version $version"
[[ "$(xp 'string(/component/releases/release[1]/@date)')" =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}$ ]] ||
  app_fail "the newest release has no date"

# Every screenshot is one of the committed pictures, at the size the file states, and the
# default one shows the tank.
count=$(xp 'count(/component/screenshots/screenshot)')
[ "$count" -ge 2 ] || app_fail "only $count screenshot(s)"
[ "$(xp 'string(/component/screenshots/screenshot[@type="default"]/image)')" = \
  "$(xp 'string(/component/screenshots/screenshot[1]/image)')" ] || app_fail "the first screenshot is not the default"
basename "$(xp 'string(/component/screenshots/screenshot[@type="default"]/image)')" | grep -qx tank.png ||
  app_fail "the default screenshot is not the tank"
for i in $(seq "$count"); do
  url=$(xp "string(/component/screenshots/screenshot[$i]/image)")
  [[ "$url" == https://* ]] || app_fail "screenshot $i is not an https address: $url"
  png=$SOURCE/packaging/screenshots/$(basename "$url")
  [ -f "$png" ] || app_fail "screenshot $i ($url) is not in packaging/screenshots/"
  stated="$(xp "string(/component/screenshots/screenshot[$i]/image/@width)")x$(xp "string(/component/screenshots/screenshot[$i]/image/@height)")"
  actual=$(identify -format '%wx%h' "$png")
  [ "$stated" = "$actual" ] || app_fail "$(basename "$png") is $actual, the file states $stated"
  [ -n "$(xp "string(/component/screenshots/screenshot[$i]/caption)")" ] || app_fail "screenshot $i has no caption"
done
# A picture of the tank is mostly blue water, not a black or empty screen.
mean=$(convert "$SOURCE/packaging/screenshots/tank.png" -format '%[fx:int(255*mean.b)] %[fx:int(255*mean.r)]' info:)
read -r blue red <<< "$mean"
[ "$blue" -gt 60 ] && [ "$blue" -gt "$red" ] || app_fail "tank.png does not look like the tank (mean blue $blue, red $red)"
echo PASS
