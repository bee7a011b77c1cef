#!/usr/bin/env bash
# Builds everything and runs every test under Wine; non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
. "$root/scripts/wine-session.sh"
wine_session_start "$build"
trap wine_session_stop EXIT
ctest --test-dir "$build" --output-on-failure </dev/null
