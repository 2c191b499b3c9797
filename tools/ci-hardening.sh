#!/bin/sh
# CI hardening: the sanitizer build and tests, static analysis, then fuzzing. Installs the tools
# it needs first. Runs all three parts, prints how long each took, and fails if any failed.
set -eu
cd "$(dirname "$0")/.."

sh tools/install-deps.sh clang libclang-rt-14-dev clang-tidy cppcheck

summary=""
failed=0
run_part() {
    name="$1"
    shift
    echo "==== $name"
    start=$(date +%s)
    if "$@"; then result="passed"; else result="FAILED"; failed=1; fi
    summary="$summary$name: $result in $(($(date +%s) - start)) s
"
}
run_part sanitizers sh tools/run-sanitizers.sh
run_part "static analysis" sh tools/run-static-analysis.sh
run_part fuzzing sh tools/run-fuzz.sh

echo "==== summary"
printf '%s' "$summary"
exit "$failed"
