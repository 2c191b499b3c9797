#!/bin/sh
# clang-tidy (rules in .clang-tidy) and cppcheck over the program's sources in every product
# folder. Runs both, then fails if either reported anything.
set -eu
cd "$(dirname "$0")/.."
build="build-tidy"

folders="core launch widgets profiles zental field field/core field/window"
sources=$(for dir in $folders; do ls "$dir"/*.cpp; done)
includes="-I ."

# The compile commands, and the moc output some sources need, come from a configured build.
cmake -S . -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DCMAKE_GLOBAL_AUTOGEN_TARGET=ON \
    >/dev/null
cmake --build "$build" --target autogen >/dev/null

status=0
echo "== clang-tidy"
# Two at a time, one file each; the log drops clang-tidy's count of warnings it hid in Qt's
# headers, which says nothing about our code.
# shellcheck disable=SC2086 # one word per source file
printf '%s\n' $sources | xargs -P 2 -n 1 clang-tidy -p "$build" --quiet \
    >"$build/clang-tidy.log" 2>&1 || status=1
grep -v ' warnings\? generated\.$' "$build/clang-tidy.log" || true

echo "== cppcheck"
# Qt's headers are not given to cppcheck: --library=qt describes the Qt macros it must know, and
# parsing all of Qt would take minutes without finding anything in our code.
# shellcheck disable=SC2086
cppcheck --std=c++20 --language=c++ --library=qt $includes -j 2 --quiet \
    --enable=warning,performance,portability --error-exitcode=1 $sources || status=1

if [ "$status" -ne 0 ]; then
    echo "static analysis: findings above" >&2
    exit 1
fi
echo "static analysis: no findings"
