#!/bin/sh
# ZENTAL for 64-bit Windows, cross-built on Debian: an installer and a portable zip.
#
#   sh packaging/windows/build.sh
#
# leaves dist/ZENTAL-<version>-windows-x64-setup.exe and dist/ZENTAL-<version>-windows-x64.zip.
# On the way it
#   1. makes sure of the cross-built Qt and GeographicLib (build-deps.sh: a cached build, about
#      18 minutes the first time on a machine, reused after);
#   2. configures and builds both programs and the tests with mingw-w64 (warnings as errors);
#   3. runs the tests under Wine on Qt's offscreen platform, and checks that zental-field.com is a
#      console program and the two .exe files are not;
#   4. puts the programs, the Qt and mingw DLLs they load, the field data and the licences in one
#      folder, stripped; zips it and builds the NSIS installer from it;
#   5. installs the installer silently under Wine, runs the installed zental-field.com, and
#      uninstalls silently: the programs must be gone and the data folder kept.
#
# Environment:
#   ZENTAL_WIN_BUILD   the build folder (default build-windows in the project folder); its Wine
#                      prefix is wineprefix/ in it, so that Wine stays out of $HOME
#   ZENTAL_WIN_DIST    where the two packages go (default dist in the project folder)
#   ZENTAL_WIN_JOBS    parallel build jobs (default: the number of processors)
# and build-deps.sh's own (ZENTAL_WIN_CACHE, ...).

set -eu

script_dir=$(CDPATH='' cd -- "$(dirname -- "$0")" && pwd)
root=$(CDPATH='' cd -- "$script_dir/../.." && pwd)
build=${ZENTAL_WIN_BUILD:-$root/build-windows}
dist=${ZENTAL_WIN_DIST:-$root/dist}
jobs=${ZENTAL_WIN_JOBS:-$(nproc 2>/dev/null || echo 2)}
triple=x86_64-w64-mingw32

say() { printf 'windows: %s\n' "$*"; }
die() { printf 'windows: error: %s\n' "$*" >&2; exit 1; }

version=$(sed -n 's/^project(zental VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || die "no version in $root/CMakeLists.txt"
name=ZENTAL-$version-windows-x64

# ---- 1. Qt and GeographicLib ---------------------------------------------------------------

sh "$script_dir/build-deps.sh"
deps=$(sh "$script_dir/build-deps.sh" --print-dir)
# shellcheck disable=SC1091 # written by build-deps.sh
. "$deps/env.sh"

# ---- 2. the build --------------------------------------------------------------------------

say "building in $build"
# GeographicLib's headers stand among the compiler's own, as Debian's do in /usr/include.
mkdir -p "$build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ZENTAL_WIN_TOOLCHAIN" \
  -DCMAKE_BUILD_TYPE=Release -DZENTAL_WERROR=ON \
  -DCMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES="$ZENTAL_WIN_GEOGRAPHICLIB/include" \
  >"$build/configure.log" 2>&1 ||
  { tail -n 40 "$build/configure.log" >&2; die "configure failed"; }
cmake --build "$build" --parallel "$jobs"

# ---- 3. the tests under Wine ---------------------------------------------------------------

# Wine has no "Microsoft Sans Serif", so Qt falls back to a face in QT_QPA_FONTDIR: only Liberation
# Sans there, with Arial's widths and the face the Linux build draws in, so that the tests of
# values drawn whole measure what they mean.
mkdir -p "$build/fonts"
cp /usr/share/fonts/truetype/liberation/LiberationSans-*.ttf "$build/fonts/"

# Wine hands a Unix variable WINEXYZ to Windows programs as XYZ; plain QT_* variables do not reach
# them.
WINEPREFIX=$build/wineprefix
WINEDEBUG=-all
WINEDLLOVERRIDES='winemenubuilder.exe=d;mscoree=d;mshtml=d'
WINEPATH=$ZENTAL_WIN_WINEPATH
WINEQT_QPA_PLATFORM=offscreen
WINEQT_FORCE_STDERR_LOGGING=1
WINEQT_QPA_FONTDIR=$(printf 'Z:%s' "$build/fonts" | tr / '\\')
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES WINEPATH WINEQT_QPA_PLATFORM \
  WINEQT_FORCE_STDERR_LOGGING WINEQT_QPA_FONTDIR
wine=$ZENTAL_WIN_WINE
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  say "making the Wine prefix $WINEPREFIX"
  "$wine" wineboot --init >/dev/null 2>&1
fi

say "tests under Wine"
# What cannot run there is left out by name in the tests' CMake files, with the reason.
ctest --test-dir "$build" --output-on-failure --parallel 2

# A shell waits for a console program only: zental-field.com must be one, the programs started
# from the Start menu must not (a console window would open beside them).
subsystem() {
  "$triple-objdump" -p "$1" | sed -n 's/^Subsystem[[:space:]]*[0-9a-f]*[[:space:]]*//p'
}
for program in zental.exe zental-field.exe zental-field.com; do
  kind=$(subsystem "$build/bin/$program")
  case $program:$kind in
    *.com:'(Windows CUI)' | *.exe:'(Windows GUI)') say "$program: $kind" ;;
    *) die "$program has the subsystem '$kind'" ;;
  esac
done

# ---- 4. the folder, the zip and the installer ----------------------------------------------

stage=$build/package/$name
rm -rf "$build/package"
mkdir -p "$stage/bin/platforms" "$stage/bin/styles" "$stage/share" "$stage/licenses"
cp "$build/bin/zental.exe" "$build/bin/zental-field.exe" "$build/bin/zental-field.com" "$stage/bin/"
for library in Qt6Core Qt6Gui Qt6Widgets; do
  cp "$ZENTAL_WIN_QT/bin/$library.dll" "$stage/bin/"
done
# qwindows for the desktop; qoffscreen so that the programs run without one (as the tests do).
cp "$ZENTAL_WIN_QT/plugins/platforms/qwindows.dll" "$ZENTAL_WIN_QT/plugins/platforms/qoffscreen.dll" \
  "$stage/bin/platforms/"
cp "$ZENTAL_WIN_QT/plugins/styles/qwindowsvistastyle.dll" "$stage/bin/styles/"
for runtime in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  found=
  for folder in $ZENTAL_WIN_RUNTIME_DIRS; do
    if [ -f "$folder/$runtime" ]; then found=$folder/$runtime; break; fi
  done
  [ -n "$found" ] || die "no $runtime in $ZENTAL_WIN_RUNTIME_DIRS"
  cp "$found" "$stage/bin/"
done
find "$stage/bin" -name '*.dll' -o -name '*.exe' -o -name '*.com' | while IFS= read -r file; do
  "$triple-strip" --strip-unneeded "$file"
done
# zental-field finds its model and places in share/zental beside the programs' folder.
cp -R "$build/share/zental" "$stage/share/"

# The licences, as text files with CR LF: ZENTAL's and its data's, the summary of what else the
# package carries, and the Debian copyright files of the sources those parts were built from.
to_crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }
to_crlf "$root/LICENSE" "$stage/licenses/ZENTAL-LICENSE.txt"
to_crlf "$root/packaging/copyright" "$stage/licenses/ZENTAL-copyright.txt"
to_crlf "$script_dir/third-party.txt" "$stage/licenses/third-party.txt"
for part in qt6-base-dev:Qt libgeographiclib-dev:GeographicLib \
  gcc-mingw-w64-base:mingw-w64-gcc-runtime mingw-w64-common:mingw-w64-winpthreads; do
  to_crlf "/usr/share/doc/${part%%:*}/copyright" "$stage/licenses/${part#*:}-copyright.txt"
done
to_crlf /usr/share/common-licenses/LGPL-3 "$stage/licenses/LGPL-3.0.txt"
to_crlf /usr/share/common-licenses/GPL-3 "$stage/licenses/GPL-3.0.txt"
cat "$root/LICENSE" "$script_dir/third-party.txt" | sed 's/\r*$/\r/' >"$build/package/licence-page.txt"

mkdir -p "$dist"
rm -f "$dist/$name.zip" "$dist/$name-setup.exe"
(cd "$build/package" && cmake -E tar cf "$dist/$name.zip" --format=zip "$name")
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DLICENCE="$build/package/licence-page.txt" \
  -DOUTFILE="$dist/$name-setup.exe" "$script_dir/zental.nsi"

# ---- 5. the installer under Wine -----------------------------------------------------------

say "installing silently under Wine"
unix_path() { "$wine" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
"$wine" "$dist/$name-setup.exe" /S
appdata=$(unix_path "$("$wine" cmd /c echo %APPDATA% | tr -d '\r')")
localappdata=$(unix_path "$("$wine" cmd /c echo %LOCALAPPDATA% | tr -d '\r')")
installed=$localappdata/Programs/ZENTAL
[ -f "$installed/bin/zental.exe" ] || die "not installed in $installed"
[ -d "$appdata/ZENTAL" ] || die "the data folder $appdata/ZENTAL is missing"
start_menu="$appdata/Microsoft/Windows/Start Menu/Programs"
[ -f "$start_menu/ZENTAL.lnk" ] && [ -f "$start_menu/ZENTAL Field.lnk" ] ||
  die "no Start-menu entries in $start_menu"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZENTAL'
"$wine" reg query "$uninstall_key" >/dev/null 2>&1 || die "no uninstaller registered"
# With no WINEPATH: the installed folder must hold every DLL the program loads.
nt=$(cd "$appdata/ZENTAL" && WINEPATH='' "$wine" "$installed/bin/zental-field.com" --nt \
  --date 2026-01-01 39.7392 -104.9847 | tr -d '\r')
say "installed zental-field.com --nt --date 2026-01-01 39.7392 -104.9847: $nt"
[ -n "$nt" ] || die "the installed zental-field printed nothing"
printf 'Home\r\n%s\r\n' "$nt" >"$appdata/ZENTAL/Profiles.ini"
"$wine" "$installed/uninstall.exe" /S
# The uninstaller copies itself to a temporary folder and returns at once; the copy removes the
# folder. Wait for that, a minute at most.
waited=0
while [ -e "$installed" ] && [ "$waited" -lt 60 ]; do
  sleep 1
  waited=$((waited + 1))
done
[ ! -e "$installed" ] || die "the uninstaller left $installed"
[ ! -e "$start_menu/ZENTAL.lnk" ] && [ ! -e "$start_menu/ZENTAL Field.lnk" ] ||
  die "the uninstaller left a Start-menu entry"
! "$wine" reg query "$uninstall_key" >/dev/null 2>&1 || die "the uninstaller left $uninstall_key"
[ -f "$appdata/ZENTAL/Profiles.ini" ] || die "the uninstaller took the data folder"
say "installed, ran and uninstalled; the data folder was kept"

say "done:"
ls -l "$dist/$name-setup.exe" "$dist/$name.zip"
