#!/bin/sh
# Builds the libFuzzer targets in build-fuzz and runs each for FUZZ_SECONDS (30) from its seed
# corpus in fuzz/corpus/. Fails on a crash, a sanitizer report, a hang or a broken invariant;
# the input that caused it is left in build-fuzz/artifacts/.
set -eu
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-30}"
build="build-fuzz"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DZENTAL_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
targets="fuzz_parsenumber fuzz_datafiles"
# shellcheck disable=SC2086 # the target names are separate words on purpose
cmake --build "$build" -j2 --target $targets

mkdir -p "$build/artifacts"
for target in $targets; do
    name="${target#fuzz_}"
    # New inputs go to the first corpus folder; the checked-in seeds stay as they are.
    mkdir -p "$build/corpus/$name"
    echo "== $target: ${seconds} s"
    if ! "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
        "$build/corpus/$name" "fuzz/corpus/$name" >"$build/$target.log" 2>&1; then
        tail -n 40 "$build/$target.log"
        echo "$target FAILED; see $build/$target.log and $build/artifacts/" >&2
        exit 1
    fi
    grep -E '^(Done|stat::number_of_executed_units)' "$build/$target.log" || true
done
echo "fuzzing: no findings"
