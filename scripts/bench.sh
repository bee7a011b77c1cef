#!/usr/bin/env bash
# Builds everything and runs every benchmark program under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR
BUILD_DIR=$(realpath -m -- "${BUILD_DIR:-$root/build}")
build=$BUILD_DIR
"$root/scripts/build.sh" >/dev/null
. "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$build"
# The copy-run benchmark writes its disk to drive A:.
mkdir -p "$build/bench-disk"
ln -sfn "$build/bench-disk" "$WINEPREFIX/dosdevices/a:"
for program in "$build"/bench/*.exe; do
    echo "== $(basename "$program")"
    (cd "$(dirname "$program")" && wine "$program" </dev/null)
done
