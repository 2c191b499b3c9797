#!/bin/sh
# Builds and runs every benchmark in bench/ and prints their tables. From the project folder:
#     sh bench/run.sh
# Installs what it needs from Debian when missing (as root, or with sudo), builds build-bench
# (Release) and writes the JSON of every run to build-bench/bench-results/.
# ROUNDS=n sets the start-up rounds per platform (default 40), SCALE=f the press iterations.
set -eu
cd "$(dirname "$0")/.."
ROUNDS="${ROUNDS:-40}"
SCALE="${SCALE:-1}"
BUILD=build-bench
RESULTS="$PWD/$BUILD/bench-results"

sh tools/install-deps.sh valgrind python3 hyperfine

if ! grep -q "ZENTAL_BENCH" CMakeLists.txt; then
    echo "bench/run.sh: CMakeLists.txt has no ZENTAL_BENCH option; see bench/README.md" >&2
    exit 1
fi
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DZENTAL_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$BUILD" -j2 --target zental_bench
mkdir -p "$RESULTS"

echo
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')," \
     "$(uname -sr), Qt $(dpkg-query -W -f='${Version}' libqt6widgets6 2>/dev/null)," \
     "load average $(cut -d' ' -f1-3 /proc/loadavg), $(date -u '+%Y-%m-%d %H:%M UTC')"

for program in zental zental-field; do
    echo
    QT_QPA_PLATFORM=offscreen python3 bench/run_startup.py --build "$BUILD" --program "$program" \
        --rounds "$ROUNDS" --json "$RESULTS/startup-$program-offscreen.json"
    echo
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" env QT_QPA_PLATFORM=xcb \
        python3 bench/run_startup.py --build "$BUILD" --program "$program" --rounds "$ROUNDS" \
        --json "$RESULTS/startup-$program-xcb.json"
done

echo
echo "Presses in the real main window (offscreen), microseconds per press"
if ! QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp}" \
    "$BUILD/bin/press_bench" --scale "$SCALE" --json "$RESULTS/press.json" \
    2>"$RESULTS/press.stderr"; then
    cat "$RESULTS/press.stderr" >&2
    exit 1
fi

echo
python3 bench/run_callgrind.py --build "$BUILD" --json "$RESULTS/callgrind.json"

echo
echo "zental-field: the model and the gazetteer, microseconds per call"
"$BUILD/bin/field_bench" --scale "$SCALE" --json "$RESULTS/field.json"

echo
echo "zental-field on the command line, whole processes: a place by name against coordinates"
hyperfine -N --style basic --warmup 5 --runs "$ROUNDS" --export-json "$RESULTS/field-cli.json" \
    "$BUILD/bin/zental-field --nt 39.7 -105" "$BUILD/bin/zental-field --nt Denver"
