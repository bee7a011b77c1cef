#!/usr/bin/env bash
# Builds everything, runs the scripts' own tests and shellcheck, then every
# test under Wine; non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR
BUILD_DIR=$(realpath -m -- "${BUILD_DIR:-$root/build}")
build=$BUILD_DIR
"$root/scripts/build.sh"
# They need no Wine: run first, counted with the rest at the end.
scripts_status=0
"$root/tests/scripts/run.sh" "$build" || scripts_status=$?
. "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$build"
ctest_status=0
ctest --test-dir "$build" --output-on-failure </dev/null || ctest_status=$?
if [ "$scripts_status" -ne 0 ]; then
    echo "the scripts' tests or shellcheck failed (see the start of this output)" >&2
fi
[ "$scripts_status" -eq 0 ] && [ "$ctest_status" -eq 0 ]
