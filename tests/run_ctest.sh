#!/usr/bin/env bash
# CTest as CI counts it: a failed test fails the run, and so does a skipped
# test (a skip is a check that did not happen) or a run in which no test ran.
#   tests/run_ctest.sh BUILD_DIR [ctest options...]
set -euo pipefail
dir=$1; shift
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
ctest --test-dir "$dir" --output-on-failure --no-tests=error -j"$(nproc)" "$@" 2>&1 | tee "$log" || status=$?
# CTest lists the tests it did not run (skipped, disabled, not built) after
# its summary and still exits 0 for them.
if grep -q '^The following tests did not run:' "$log"; then
    echo "run_ctest: tests were skipped or did not run (listed above); that fails the run" >&2
    exit 1
fi
if ! grep -Eq '^[0-9]+% tests passed, [0-9]+ tests failed out of [1-9][0-9]*' "$log"; then
    echo "run_ctest: no test ran" >&2
    exit 1
fi
exit "$status"
