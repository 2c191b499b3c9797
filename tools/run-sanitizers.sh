#!/bin/sh
# Builds everything in build-asan as a Debug build under AddressSanitizer (with LeakSanitizer)
# and UndefinedBehaviorSanitizer, any finding fatal, and runs all tests (on the offscreen platform,
# which each test sets; the Xvfb ones use xcb).
set -eu
cd "$(dirname "$0")/.."
build="build-asan"
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DZENTAL_WERROR=ON \
    -DCMAKE_CXX_FLAGS="$sanitize" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" -DCMAKE_SHARED_LINKER_FLAGS="$sanitize" >/dev/null
cmake --build "$build" -j2

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Leaks inside system libraries only; each entry says why (tools/lsan-suppressions.txt).
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan-suppressions.txt:print_suppressions=0"
ctest --test-dir "$build" --output-on-failure -j2
echo "sanitizers: no findings"
