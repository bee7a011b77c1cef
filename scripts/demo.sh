#!/usr/bin/env bash
# Builds everything, then shows what the deliverables do under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
. "$root/scripts/wine-session.sh"
interactive=${DISPLAY:-}
wine_session_start "$build"
trap wine_session_stop EXIT

echo
echo "== ZEPH.dll"
(cd "$build/runtime" && wine "$build/demo/ShowVersion.exe" ZEPH.dll </dev/null)

echo
echo "== ZEPHBuy"
# A demo product whose record names the sample purchasing library.
product="{5A1E0D3C-0B7F-4E21-9C3A-DE0000000001}"
record="$WINEPREFIX/drive_c/windows/Brenvick/ZEPH/Info/$product"
mkdir -p "$record"
printf '[PRODUCT]\r\nUI-LIBRARY=Z:%s\r\nZEPH-Receipt-TxN=DEMO-0001\r\n' \
    "$(echo "$build/outside/purchase/SamplePurchase.dll" | tr / '\\')" >"$record/PRODUCT.INF"
echo "product record: $record/PRODUCT.INF"
if [ -n "$interactive" ]; then
    echo "answer the purchase question on your display"
    status=0
    wine "$build/buyhost/ZEPHBuy.exe" /GUID "$product" </dev/null || status=$?
    echo "ZEPHBuy ended with exit code $status"
else
    # No display of the user's: answer the question from the helper.
    wine "$build/demo/BuyDemo.exe" "Z:$(echo "$build/buyhost/ZEPHBuy.exe" | tr / '\\')" "$product" Yes </dev/null
fi
