#!/usr/bin/env bash
# Builds everything and runs every test under Wine; non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR
BUILD_DIR=$(realpath -m -- "${BUILD_DIR:-$root/build}")
build=$BUILD_DIR
"$root/scripts/build.sh"
. "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$build"
ctest --test-dir "$build" --output-on-failure </dev/null
