#!/usr/bin/env bash
# Usage: round-trip.sh BUILD_DIR
# Backs a product up with Kelbrook.exe on machine 1 (a fresh Wine prefix),
# writes the disk to a 1.44 MB floppy image, restores from the image's files
# on machine 2 (another fresh prefix, with no product, no Kelbrook.exe and no
# ZEPHAPI.DLL) by running A:\Kelbrook.exe from the disk, checks every file
# byte for byte, then runs ZEPHBuy.exe on machine 2 for the restored product.
# Needs an X display (the test script's Xvfb). The prefixes are removed after
# a success and kept after a failure.
set -euo pipefail
build=$(realpath -m -- "$1")
work="$build/round-trip"
disk="$work/disk"
image="$work/kelbrook-disk.img"
bin="$work/bin"
product='{0D15C0DE-4444-4A4A-8B8B-0000000000A1}'
drive="$build/demo/DriveWizard.exe"
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
. "$(dirname "$0")/../../scripts/floppy-image.sh"
. "$(dirname "$0")/../../scripts/wine-session.sh"
failures=0

rm -rf "$work"
mkdir -p "$disk" "$bin"
cp "$build/buyhost/ZEPHBuy.exe" "$build/outside/purchase/SamplePurchase.dll" "$bin/"

machine=""
start_machine() {
    export WINEPREFIX="$work/$1"
    machine=$WINEPREFIX
    wine wineboot -i </dev/null >/dev/null 2>&1
    wineserver -p </dev/null >/dev/null 2>&1 || true
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f \
        </dev/null >/dev/null 2>&1 || true
    ln -sfn "$disk" "$WINEPREFIX/dosdevices/a:"
}
# Only the machines' own servers: the caller's prefix must never be stopped from here.
stop_machine() {
    if [ -n "$machine" ]; then wine_prefix_stop "$machine"; fi
    machine=""
}
finish() {
    local status=$?
    stop_machine
    if [ "$status" -eq 0 ]; then
        rm -rf "$work"
    else
        echo "kept for a look: $work (the Wine prefixes machine1 and machine2, the disk and its image)"
    fi
}
trap finish EXIT
step() { wine "$drive" "$@" </dev/null; }
same() {
    if cmp -s "$1" "$2"; then echo "same: $2"; else echo "DIFFERENT: $1 and $2"; failures=$((failures + 1)); fi
}

echo "== machine 1: back up $product"
start_machine machine1
windows="$WINEPREFIX/drive_c/windows"
folder="$windows/Brenvick/ZEPH/Info/$product"
mkdir -p "$folder"
printf '[PRODUCT]\r\nUI-LIBRARY=SamplePurchase.dll\r\nZEPH-Receipt-TxN=TXN-RT-1\r\n' >"$folder/PRODUCT.INF"
head -c 3000 /dev/urandom >"$folder/LICENSE.BIN"
printf 'notes\r\n' >"$folder/NOTES.TXT"
cp "$build/backup/Kelbrook.exe" "$windows/"
cp "$build/outside/zephapi/ZEPHAPI.DLL" "$windows/system32/"
wine reg add 'HKLM\Software\Brenvick\ZEPH' /v CustomerId /d CUST-RT /f </dev/null >/dev/null 2>&1
title="Kelbrook Creation Wizard"
wine 'C:\windows\Kelbrook.exe' /CREATE "/GUID=$product" </dev/null >/dev/null 2>&1 &
step wait "$title" "Welcome to the Backup Wizard"
step press "$title" Next
step wait "$title" "Please insert"
step press "$title" Next
step wait "$title" "Creation of the Kelbrook is complete"
step press "$title" Finish
step gone "$title"
same "$windows/Kelbrook.exe" "$disk/Kelbrook.exe"
same "$windows/system32/ZEPHAPI.DLL" "$disk/ZEPHAPI.DLL"
for f in PRODUCT.INF LICENSE.BIN NOTES.TXT; do same "$folder/$f" "$disk/ENF/$f"; done
machine1_windows="$windows"
stop_machine

echo "== the disk as a floppy image"
floppy_image_write "$disk" "$image"
sectors=$(minfo -i "$image" :: | sed -n 's/^small size: \([0-9]*\) sectors.*/\1/p')
[ "$sectors" = 2880 ] || { echo "the image has ${sectors:-no} sectors, not 2880"; failures=$((failures + 1)); }
# Machine 2's drive A: holds what the image holds, and nothing of the folder written on machine 1.
disk="$work/disk-from-image"
floppy_image_read "$image" "$disk"
diff -r "$work/disk" "$disk" || { echo "the image gives back another disk"; failures=$((failures + 1)); }

echo "== machine 2: restore from A:\\Kelbrook.exe"
start_machine machine2
windows="$WINEPREFIX/drive_c/windows"
for f in "$windows/Kelbrook.exe" "$windows/system32/ZEPHAPI.DLL" "$windows/Brenvick"; do
    [ ! -e "$f" ] || { echo "machine 2 is not fresh: $f"; failures=$((failures + 1)); }
done
title="Kelbrook Recovery Wizard"
wine 'A:\Kelbrook.exe' </dev/null >/dev/null 2>&1 &
step wait "$title" "Welcome to the Recovery Wizard"
step press "$title" Next
step wait "$title" "The Kelbrook Recovery Wizard is now ready"
step press "$title" Finish
step gone "$title"
same "$disk/Kelbrook.exe" "$windows/Kelbrook.exe"
same "$disk/ZEPHAPI.DLL" "$windows/system32/ZEPHAPI.DLL"
for f in PRODUCT.INF LICENSE.BIN NOTES.TXT; do
    same "$disk/ENF/$f" "$windows/Brenvick/ZEPH/Info/$product/$f"
    same "$machine1_windows/Brenvick/ZEPH/Info/$product/$f" "$windows/Brenvick/ZEPH/Info/$product/$f"
done

echo "== machine 2: ZEPHBuy finds the restored record"
answer=$(wine "$build/demo/BuyDemo.exe" "Z:$(echo "$bin/ZEPHBuy.exe" | tr / '\\')" "$product" Yes </dev/null)
echo "$answer"
echo "$answer" | grep -q "ZEPHBuy ended with exit code 1" || { echo "ZEPHBuy did not run the library"; failures=$((failures + 1)); }

echo "round trip: $failures failure(s)"
[ "$failures" -eq 0 ]
