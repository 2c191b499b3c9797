#!/bin/sh
# The cached foundation of the Windows cross-build: Qt 6 and GeographicLib cross-built for 64-bit
# Windows with mingw-w64 (posix thread model) from Debian's own source packages.
#
#   sh packaging/windows/build-deps.sh              build the cache when it is cold
#   sh packaging/windows/build-deps.sh --print-dir  print the cache folder only (built or not)
#
# What it does:
#   1. installs with apt-get the cross compiler, Wine, NSIS, dpkg-dev and the host Qt tools, and
#      for build.sh GeographicLib's Debian copyright file and Liberation Sans (only when some are
#      missing; as root, or through sudo);
#   2. enables deb-src for the archives this machine already uses, derived from its own apt
#      sources (a new file /etc/apt/sources.list.d/zental-deb-src.sources or .list), when no
#      source index is known yet;
#   3. computes the cache key from the Debian source versions of qt6-base and geographiclib, the
#      configure lines, the toolchain file's content and the mingw compiler's version;
#   4. when ${ZENTAL_WIN_CACHE:-$HOME/.cache/zental-windows}/<key>/.complete exists, stops there
#      (the cache is warm); else fetches the sources with apt-get source in a temporary folder,
#      builds Qt (Core, Gui, Widgets, Concurrent, Test, the windows, offscreen and minimal
#      platform plugins, the windowsvista style) and GeographicLib (static library only), installs
#      both into a temporary folder beside the cache folder and renames it into place only when
#      everything succeeded, so that a failed or killed build never leaves a half cache.
#
# The cache folder <key>/ holds:
#   toolchain-mingw64.cmake   the copy of this folder's toolchain file that Qt was configured
#                             with (Qt's qt.toolchain.cmake records its path): use this copy
#   qt/                       Qt 6 for Windows (shared, release)
#   geographiclib/            GeographicLib for Windows (static, release)
#   env.sh                    the paths above and the Wine settings, as shell variables
#   key-inputs.txt            what the key was computed from
#   build-times.txt           the wall-clock time of each phase
#   logs/                     the configure, build and install logs (after a failure they are
#                             in <key>.failed-logs/ beside it, and no <key>/ is made)
#
# Environment:
#   ZENTAL_WIN_CACHE      cache root (default $HOME/.cache/zental-windows)
#   ZENTAL_WIN_JOBS       parallel build jobs (default: the number of processors)
#   ZENTAL_WIN_NICE       niceness of the builds (default 19)
#   ZENTAL_WIN_KEEP_WORK  set to 1 to keep the temporary source and build folder after a failure
#   TMPDIR                where the temporary source and build folder is made (default /tmp)

set -eu

script_dir=$(CDPATH='' cd -- "$(dirname -- "$0")" && pwd)
toolchain_source=$script_dir/toolchain-mingw64.cmake
toolchain_name=toolchain-mingw64.cmake
cache_root=${ZENTAL_WIN_CACHE:-${HOME:?}/.cache/zental-windows}
jobs=${ZENTAL_WIN_JOBS:-$(nproc 2>/dev/null || echo 2)}
niceness=${ZENTAL_WIN_NICE:-19}
triple=x86_64-w64-mingw32
cxx=$triple-g++-posix
host_cmake_dir=/usr/lib/x86_64-linux-gnu/cmake

print_dir_only=0
case ${1-} in
  --print-dir) print_dir_only=1 ;;
  '') ;;
  *) printf 'usage: %s [--print-dir]\n' "$0" >&2; exit 2 ;;
esac

# Bump when the layout of the cache folder changes.
cache_layout=1

# The configure lines. @CACHE@ stands for the cache folder, so that the key does not depend on it.
# Qt: the line proved on Debian 12's qt6-base 6.4.2, with GIF, ICO and JPEG (image format plugins
# nobody needs here) off. Debian's source lacks wintab, hence tabletevent off; direct2d1_1 off
# (plain -no-feature-direct2d breaks the link of qwindows.dll); the host CMake files are named
# explicitly because -qt-host-path alone looks for them in /usr/lib/cmake.
qt_configure_line="-prefix @CACHE@/qt -release -shared -qt-host-path /usr\
 -nomake examples -nomake tests -no-pkg-config -no-icu -no-dbus -no-opengl -no-vulkan\
 -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre -no-gif -no-ico -no-libjpeg\
 -no-feature-network -no-feature-sql -no-feature-xml -no-feature-printsupport\
 -no-feature-tabletevent -no-feature-direct2d1_1 -no-feature-androiddeployqt\
 -- -DCMAKE_TOOLCHAIN_FILE=@CACHE@/$toolchain_name -DQT_HOST_PATH_CMAKE_DIR=$host_cmake_dir"
# GeographicLib: the static library and its headers and CMake files; no tools, man pages,
# documentation or examples are installed (empty folder names switch them off).
geographiclib_configure_line="-G Ninja -DCMAKE_BUILD_TYPE=Release\
 -DCMAKE_TOOLCHAIN_FILE=@CACHE@/$toolchain_name -DCMAKE_INSTALL_PREFIX=@CACHE@/geographiclib\
 -DBUILD_SHARED_LIBS=OFF -DBUILD_BOTH_LIBS=OFF -DBUILD_DOCUMENTATION=OFF -DBUILD_MANPAGES=OFF\
 -DBINDIR=OFF -DSBINDIR=OFF -DMANDIR=OFF -DDOCDIR=OFF -DEXAMPLEDIR=OFF -DPKGDIR=OFF"
geographiclib_targets=GeographicLib_STATIC

packages="g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
 mingw-w64-x86-64-dev wine wine64 nsis dpkg-dev cmake ninja-build perl xz-utils
 qt6-base-dev qt6-base-dev-tools libgeographiclib-dev fonts-liberation"

say() { printf 'build-deps: %s\n' "$*"; }
die() { printf 'build-deps: error: %s\n' "$*" >&2; exit 1; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Seconds since the epoch; phases are timed with it.
now() { date +%s; }
times_file=
phase_began=0
phase_begin() { phase_name=$1; phase_began=$(now); say "$phase_name ..."; }
phase_end() {
  phase_seconds=$(($(now) - phase_began))
  line=$(printf '%-34s %5d s  (%d min %02d s)' "$phase_name" "$phase_seconds" \
    $((phase_seconds / 60)) $((phase_seconds % 60)))
  say "$line"
  if [ -n "$times_file" ]; then printf '%s\n' "$line" >>"$times_file"; fi
  early_times="${early_times-}$line
"
}

# ---- 1. packages ---------------------------------------------------------------------------

missing_packages() {
  for package in $packages; do
    status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null || true)
    case $status in ii*) ;; *) printf '%s ' "$package" ;; esac
  done
}

apt_updated=0
apt_update() {
  if [ "$apt_updated" -eq 0 ]; then
    as_root apt-get update
    apt_updated=1
  fi
}

missing=$(missing_packages)
if [ -n "$missing" ]; then
  phase_begin "installing packages"
  say "missing: $missing"
  apt_update
  # shellcheck disable=SC2086 # one word per package
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
  phase_end
fi
command -v "$cxx" >/dev/null || die "$cxx not found after installing the packages"

# ---- 2. deb-src ----------------------------------------------------------------------------

source_versions() {
  apt-cache showsrc --only-source "$1" 2>/dev/null | sed -n 's/^Version: //p'
}

# The highest of the source versions of package $1 that apt knows.
source_version() {
  best=
  for version in $(source_versions "$1"); do
    if [ -z "$best" ] || dpkg --compare-versions "$version" gt "$best"; then best=$version; fi
  done
  printf '%s\n' "$best"
}

# deb-src entries for the archives of this machine's own deb entries: deb822 stanzas with
# "Types: deb" become "Types: deb-src"; one-line "deb ..." entries become "deb-src ...".
enable_deb_src() {
  list_dir=/etc/apt/sources.list.d
  deb822=$(for file in "$list_dir"/*.sources; do
    [ -f "$file" ] || continue
    [ "$file" = "$list_dir/zental-deb-src.sources" ] && continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
      {
        n = split($0, lines, "\n"); deb = 0; off = 0; out = ""
        for (i = 1; i <= n; i++) {
          line = lines[i]
          if (line ~ /^Types:/) {
            if (line ~ /[[:space:]]deb([[:space:]]|$)/) deb = 1
            line = "Types: deb-src"
          }
          if (line ~ /^Enabled:[[:space:]]*[Nn][Oo]/) off = 1
          out = out line "\n"
        }
        if (deb && !off) print out
      }' "$file"
  done)
  oneline=$(for file in /etc/apt/sources.list "$list_dir"/*.list; do
    [ -f "$file" ] || continue
    [ "$file" = "$list_dir/zental-deb-src.list" ] && continue
    sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file"
  done)
  [ -n "$deb822$oneline" ] || die "no deb entries in the apt sources to derive deb-src entries from"
  if [ -n "$deb822" ]; then
    say "adding $list_dir/zental-deb-src.sources"
    printf '# deb-src for the archives above, added by zental packaging/windows/build-deps.sh\n%s\n' \
      "$deb822" | as_root tee "$list_dir/zental-deb-src.sources" >/dev/null
  fi
  if [ -n "$oneline" ]; then
    say "adding $list_dir/zental-deb-src.list"
    printf '# deb-src for the archives above, added by zental packaging/windows/build-deps.sh\n%s\n' \
      "$oneline" | as_root tee "$list_dir/zental-deb-src.list" >/dev/null
  fi
}

if [ -z "$(source_version qt6-base)" ] || [ -z "$(source_version geographiclib)" ]; then
  phase_begin "enabling deb-src and updating"
  enable_deb_src
  apt_updated=0
  apt_update
  phase_end
fi
qt_version=$(source_version qt6-base)
geographiclib_version=$(source_version geographiclib)
[ -n "$qt_version" ] || die "apt knows no source package qt6-base"
[ -n "$geographiclib_version" ] || die "apt knows no source package geographiclib"

# ---- 3. the key ----------------------------------------------------------------------------

[ -f "$toolchain_source" ] || die "missing $toolchain_source"
key_inputs="zental-windows cache layout $cache_layout
qt6-base source: $qt_version
geographiclib source: $geographiclib_version
qt configure: $qt_configure_line
geographiclib configure: $geographiclib_configure_line
geographiclib targets: $geographiclib_targets
toolchain sha256: $(sha256sum <"$toolchain_source" | cut -d' ' -f1)
mingw compiler: $($cxx --version | head -n 1) ($($cxx -dumpfullversion))
mingw packages: $(dpkg-query -W -f='${Package}=${Version} ' g++-mingw-w64-x86-64-posix \
  gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev)
host qt tools: $(dpkg-query -W -f='${Package}=${Version} ' qt6-base-dev qt6-base-dev-tools)"
key=$(printf '%s\n' "$key_inputs" | sha256sum | cut -c1-16)
final=$cache_root/$key

if [ "$print_dir_only" -eq 1 ]; then
  printf '%s\n' "$final"
  exit 0
fi

report_cache() {
  say "cache: $final"
  printf 'ZENTAL_WIN_DEPS=%s\n' "$final"
}

if [ -f "$final/.complete" ]; then
  say "the cache is warm, nothing to build"
  report_cache
  exit 0
fi

# ---- 4. the build --------------------------------------------------------------------------

mkdir -p "$cache_root"
# One builder per key at a time; a second one waits, then finds the cache warm.
exec 9>"$cache_root/.$key.lock"
if ! flock -n 9; then
  say "another build of $key is running; waiting for it"
  flock 9
fi
if [ -f "$final/.complete" ]; then
  say "the cache is warm, nothing to build"
  report_cache
  exit 0
fi

# Under the lock no other builder of this key runs: every partial folder of it is stale.
for stale in "$cache_root/$key".partial.*; do
  [ -e "$stale" ] || continue
  say "removing the stale $stale"
  rm -rf "$stale"
done
if [ -e "$final" ]; then
  say "removing the unfinished $final"
  rm -rf "$final"
fi

stage=$cache_root/$key.partial.$$
work=$(mktemp -d "${TMPDIR:-/tmp}/zental-windows-deps.XXXXXX")
logs=$work/logs
failed_logs=$cache_root/$key.failed-logs
finished=0
cleanup() {
  status=$?
  if [ "$finished" -eq 0 ]; then
    [ -d "$stage" ] && rm -rf "$stage"
    if [ -d "$logs" ]; then
      rm -rf "$failed_logs"
      cp -R "$logs" "$failed_logs"
      say "not finished; the logs are in $failed_logs"
    fi
    if [ "${ZENTAL_WIN_KEEP_WORK:-0}" = 1 ]; then
      say "kept the sources, build folders and logs in $work"
    else
      rm -rf "$work"
    fi
  else
    rm -rf "$work"
  fi
  exit "$status"
}
# A long step runs in a process group of its own (setsid) and the script waits for it, so that a
# signal to the script stops the whole step (cmake, ninja, the compilers) at once.
child=
stop() {
  if [ -n "$child" ]; then
    kill -TERM "-$child" 2>/dev/null || true  # its process group (dash takes no "--" here)
    wait "$child" 2>/dev/null || true
    child=
  fi
  exit "$1"
}
trap cleanup EXIT
trap 'stop 130' INT
trap 'stop 143' TERM
trap 'stop 129' HUP

mkdir -p "$stage" "$logs"
rm -rf "$failed_logs"
times_file=$stage/build-times.txt
printf '%s' "${early_times-}" >"$times_file"
printf '%s\n' "$key_inputs" >"$stage/key-inputs.txt"
cp "$toolchain_source" "$stage/$toolchain_name"
say "building into $stage (renamed to $final when done); sources and builds in $work"

# Runs "$@" in the folder $1 with its output in the log $2; on failure shows the log's end and
# stops.
run_logged() {
  folder=$1
  log=$logs/$2
  shift 2
  (cd "$folder" && exec setsid "$@") >"$log" 2>&1 </dev/null &
  child=$!
  if wait "$child"; then
    child=
  else
    child=
    tail -n 40 "$log" >&2
    die "failed: $*"
  fi
}

expand() { printf '%s\n' "$1" | sed "s|@CACHE@|$stage|g"; }

phase_begin "fetching sources (apt-get source)"
mkdir -p "$work/src"
run_logged "$work/src" apt-get-source.log apt-get source --only-source \
  "qt6-base=$qt_version" "geographiclib=$geographiclib_version"
qt_source=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*')
geographiclib_source=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'geographiclib-*')
[ -x "$qt_source/configure" ] || die "no qtbase configure in $work/src"
[ -f "$geographiclib_source/CMakeLists.txt" ] || die "no GeographicLib source in $work/src"
phase_end

phase_begin "Qt configure"
mkdir -p "$work/qt-build"
# shellcheck disable=SC2046 # the configure line is split into its words on purpose
run_logged "$work/qt-build" qt-configure.log nice -n "$niceness" \
  "$qt_source/configure" $(expand "$qt_configure_line")
phase_end

phase_begin "Qt build ($jobs jobs)"
say "progress: tail -f $logs/qt-build.log"
run_logged "$work" qt-build.log nice -n "$niceness" cmake --build "$work/qt-build" --parallel "$jobs"
phase_end

phase_begin "Qt install"
run_logged "$work" qt-install.log cmake --install "$work/qt-build"
phase_end

phase_begin "GeographicLib configure, build, install"
# shellcheck disable=SC2046 # the configure line is split into its words on purpose
run_logged "$work" geographiclib-configure.log nice -n "$niceness" cmake -S "$geographiclib_source" \
  -B "$work/geographiclib-build" $(expand "$geographiclib_configure_line")
run_logged "$work" geographiclib-build.log nice -n "$niceness" cmake --build "$work/geographiclib-build" \
  --parallel "$jobs" --target "$geographiclib_targets"
run_logged "$work" geographiclib-install.log cmake --install "$work/geographiclib-build"
phase_end

phase_begin "finishing"
# The installed text files (qt.toolchain.cmake above all, which records the toolchain file) name
# the temporary folder: make them name the final one.
stage_pattern=$(printf '%s\n' "$stage" | sed 's/[]\\/.*^$[|]/\\&/g')
final_replacement=$(printf '%s\n' "$final" | sed 's/[\\&|]/\\&/g')
grep -rlI -F -- "$stage" "$stage/qt" "$stage/geographiclib" | while IFS= read -r file; do
  sed -i "s|$stage_pattern|$final_replacement|g" "$file"
done
still=$(grep -rl -F -- "$stage" "$stage/qt" "$stage/geographiclib" || true)
if [ -n "$still" ]; then
  say "note: these binary files still name the temporary folder (not rewritten):"
  printf '%s\n' "$still" | sed 's/^/  /'
fi

runtime_dirs="$(dirname "$($cxx -print-file-name=libstdc++-6.dll)") /usr/$triple/lib"
wine=$(command -v wine64 || command -v wine || true)
cat >"$stage/env.sh" <<EOF
# Written by packaging/windows/build-deps.sh; source it from a POSIX shell.
ZENTAL_WIN_DEPS='$final'
ZENTAL_WIN_TOOLCHAIN='$final/$toolchain_name'
ZENTAL_WIN_QT='$final/qt'
ZENTAL_WIN_GEOGRAPHICLIB='$final/geographiclib'
# mingw's runtime DLLs (libstdc++-6.dll, libgcc_s_seh-1.dll, libwinpthread-1.dll).
ZENTAL_WIN_RUNTIME_DIRS='$(printf '%s' "$runtime_dirs")'
ZENTAL_WIN_WINE='$wine'
# For running the programs under Wine: Windows-style DLL search path (';'-separated Unix paths
# work), Qt's plugins, no menu entries.
ZENTAL_WIN_WINEPATH='$final/qt/bin;$(printf '%s' "$runtime_dirs" | sed 's/ /;/g')'
EOF

phase_end
times_file=
cp -R "$logs" "$stage/logs"
printf 'key %s, finished %s\n' "$key" "$(date -u '+%Y-%m-%d %H:%M:%S UTC')" >"$stage/.complete"
mv "$stage" "$final"
finished=1
rm -rf "$failed_logs"
say "built; times:"
sed 's/^/  /' "$final/build-times.txt"
report_cache
