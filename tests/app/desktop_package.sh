# `cpack -G DEB` makes a Debian package that holds the program and every installed file
# under /usr and declares the runtime packages the program needs.
source "$(dirname "$0")/lib/common.bash"
app_setup "$@"
BUILD=$(dirname "$PELAVO")

cmake --build "$BUILD" --target pelavo manpage > "$APP_TMP/build.log" 2>&1 ||
  app_fail "cannot build: $(tail -5 "$APP_TMP/build.log")"
(cd "$APP_TMP" && cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$APP_TMP/pkg") \
  > "$APP_TMP/cpack.log" 2>&1 || app_fail "cpack failed: $(tail -10 "$APP_TMP/cpack.log")"
deb=$(find "$APP_TMP/pkg" -maxdepth 1 -name 'pelavo_*.deb' | head -1)
[ -n "$deb" ] || app_fail "cpack made no pelavo_*.deb: $(ls "$APP_TMP/pkg")"
app_note "package $(basename "$deb")"

contents=$(dpkg-deb -c "$deb") || app_fail "dpkg-deb cannot read the package"
for f in ./usr/bin/pelavo ./usr/share/applications/pelavo.desktop ./usr/share/pelavo/about.html \
  ./usr/share/metainfo/org.pelavo.Pelavo.metainfo.xml \
  ./usr/share/man/man6/pelavo.6.gz ./usr/share/xscreensaver/config/pelavo.xml \
  ./usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/pelavo.png; do
  grep -q " $f\$" <<< "$contents" || app_fail "the package lacks $f"
done
grep -q ' ./usr/local' <<< "$contents" && app_fail "the package installs under /usr/local"
grep -Eq '^-rwxr-xr-x .* \./usr/bin/pelavo$' <<< "$contents" || app_fail "/usr/bin/pelavo is not executable"

info=$(dpkg-deb -I "$deb") || app_fail "dpkg-deb cannot read the control data"
grep -q '^ Package: pelavo$' <<< "$info" || app_fail "the package is not named pelavo"
depends=$(dpkg-deb -f "$deb" Depends)
app_note "Depends: $depends"
for p in libwxgtk3.2-1 libwxgtk-gl3.2-1 libsoil1 libftgl2 libsdl2-mixer-2.0-0 libglu1-mesa \
  libgl1 libx11-6 libfontconfig1 libfreetype6 fonts-dejavu-core libwayland-client0 libwayland-egl1 \
  libegl1; do
  grep -Eq "(^|, )$p( |,|$)" <<< "$depends" || app_fail "Depends lacks $p"
done

# Every shared library the program loads comes from a package the Depends names (directly,
# or through libc6/libstdc++6 and the toolkit's own dependencies, which dpkg pulls in).
extract=$APP_TMP/extract
dpkg-deb -x "$deb" "$extract"
for lib in $(objdump -p "$extract/usr/bin/pelavo" | awk '/NEEDED/{print $2}'); do
  path=$(ldconfig -p | awk -v l="$lib" '$1 == l && /x86-64/ {print $NF; exit}')
  [ -n "$path" ] || continue
  owner=$(dpkg -S "$(readlink -f "$path")" 2>/dev/null | cut -d: -f1 | head -1)
  [ -n "$owner" ] || owner=$(dpkg -S "$path" 2>/dev/null | cut -d: -f1 | head -1)
  case "$owner" in
    libc6|libstdc++6|libgcc-s1|libwxbase3.2-1|libglvnd0|libopengl0|libglx0) continue ;;
  esac
  grep -Eq "(^|, )$owner( |,|$)" <<< "$depends" ||
    app_fail "the program needs $lib from $owner, which Depends does not name"
done
echo PASS
