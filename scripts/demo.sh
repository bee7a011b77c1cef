#!/usr/bin/env bash
# Builds everything, then shows what the deliverables do under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
. "$root/scripts/wine-session.sh"
wine_session_start "$build"
trap wine_session_stop EXIT

echo
echo "== ZEPH.dll"
(cd "$build/runtime" && wine "$build/demo/ShowVersion.exe" ZEPH.dll </dev/null)
