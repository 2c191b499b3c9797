#!/bin/sh
# Checks ZENTAL's packaging on Debian 12: builds in build-pkg, installs into a temporary prefix,
# validates the desktop entries and the AppStream metainfo, starts the installed programs through
# their desktop launchers, and makes the Debian package and checks its Depends and copyright.
# Run from anywhere, as root or with sudo:  sh packaging/validate.sh
set -eu
start=$(date +%s)
cd "$(dirname "$0")/.."
root=$(pwd)
build="$root/build-pkg"

fail() {
    echo "validate.sh: FAILED: $*" >&2
    exit 1
}

# What building needs, then the validators and what cpack's dependency list needs.
sh tools/install-deps.sh desktop-file-utils appstream dpkg-dev file

echo "== configure and build ($build)"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j2 >/dev/null

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"
echo "== install into $prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
app_id=io.github.zental.Zental
field_id=io.github.zental.ZentalField
for file in bin/zental bin/zental-desktop bin/zental-field bin/zental-field-desktop \
    share/applications/$app_id.desktop share/applications/$field_id.desktop \
    share/metainfo/$app_id.metainfo.xml share/zental/wmmhr.cof share/zental/wmm.cof share/zental/igrfcoeffs.txt share/zental/places.tsv \
    share/doc/zental/copyright \
    share/icons/hicolor/scalable/apps/zental.svg; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
for size in 16 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/zental.png"
    [ -f "$icon" ] || fail "not installed: $icon"
    file "$icon" | grep -q "PNG image data, $size x $size," || fail "not $size x $size: $icon"
done
file packaging/icons/zental-window.png | grep -q "PNG image data, 96 x 74, 8-bit/color RGB," ||
    fail "packaging/icons/zental-window.png is not a 96 x 74 24-bit PNG"

# Errors fail the validators; warnings are failures here too, hints and pedantic notes are not.
for id in $app_id $field_id; do
    echo "== desktop-file-validate $id.desktop"
    desktop-file-validate "$prefix/share/applications/$id.desktop" >"$tmp/dfv.txt" 2>&1 ||
        { cat "$tmp/dfv.txt"; fail "desktop-file-validate"; }
    cat "$tmp/dfv.txt"
    grep -q -E ": (error|warning): " "$tmp/dfv.txt" && fail "desktop-file-validate reported problems"
done

echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" >"$tmp/as.txt" 2>&1 ||
    { cat "$tmp/as.txt"; fail "appstreamcli validate"; }
cat "$tmp/as.txt"
grep -q -E "^[EW]: " "$tmp/as.txt" && fail "appstreamcli reported problems"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$app_id.metainfo.xml" ||
    fail "the metainfo has no <release> for version $version"

echo "== Qt resources of packaging/icons/icons.qrc"
rcc=$(find /usr/lib -path '*qt6/libexec/rcc' 2>/dev/null | head -n 1)
if [ -n "$rcc" ]; then
    "$rcc" --list-mapping packaging/icons/icons.qrc >"$tmp/qrc.txt"
    cat "$tmp/qrc.txt"
    grep -q "^:/icons/zental-window.png	" "$tmp/qrc.txt" || fail "no :/icons/zental-window.png"
fi

echo "== start the installed programs through their desktop launchers"
mkdir "$tmp/home"
for program in zental zental-field; do
    status=0
    env -u XDG_DATA_HOME HOME="$tmp/home" QT_QPA_PLATFORM=offscreen \
        timeout 5 "$prefix/bin/$program-desktop" >"$tmp/run.txt" 2>&1 || status=$?
    [ "$status" -eq 124 ] || { cat "$tmp/run.txt"; fail "$program-desktop ended by itself ($status)"; }
done
[ -f "$tmp/home/.local/share/zental/ZENTAL.ini" ] ||
    fail "no ZENTAL.ini in ~/.local/share/zental"
echo "ran 5 s each, wrote: $(cd "$tmp/home/.local/share/zental" && echo *)"
nt=$("$prefix/bin/zental-field" --nt --date 2026-01-01 Denver) || fail "zental-field --nt Denver"
echo "installed zental-field --nt --date 2026-01-01 Denver: $nt"

echo "== cpack -G DEB"
rm -f "$build"/zental_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
arch=$(dpkg --print-architecture)
deb="$build/zental_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no $deb"
dpkg-deb -I "$deb"
depends=$(dpkg-deb -f "$deb" Depends)
names=$(echo "$depends" | tr ',' '\n' | sed 's/(.*)//; s/ //g' | sort | tr '\n' ' ')
expected="fonts-liberation libc6 libgcc-s1 libgeographiclib23 libqt6core6 libqt6gui6 libqt6widgets6 libstdc++6 libxcb1 xdg-utils "
[ "$names" = "$expected" ] || fail "Depends names '$names', expected '$expected'"
[ "$(dpkg-deb -f "$deb" Section)" = science ] || fail "Section is not science"
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/zental/copyright >"$tmp/copyright"
for licence in "License: MIT" "License: public-domain" "License: CC-BY-4.0"; do
    grep -q "^$licence" "$tmp/copyright" || fail "the package's copyright file lacks $licence"
done

echo "validate.sh: OK: $deb ($(($(date +%s) - start)) s)"
