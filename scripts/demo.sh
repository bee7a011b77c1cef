#!/usr/bin/env bash
# Builds everything, then shows what the deliverables do under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR
BUILD_DIR=$(realpath -m -- "${BUILD_DIR:-$root/build}")
build=$BUILD_DIR
"$root/scripts/build.sh"
. "$root/scripts/wine-session.sh"
. "$root/scripts/floppy-image.sh"
# With a display of the user's, the wizards are theirs to click through
# (USE_DISPLAY=0 runs the unattended demo on an Xvfb instead).
export USE_DISPLAY=${USE_DISPLAY:-1}
interactive=""
if [ "$USE_DISPLAY" = 1 ] && [ -n "${DISPLAY:-}" ]; then interactive=yes; fi
second="$build/wineprefix-restore"
second_started=""
finish() {
    local status=$?
    # A second server that did not end fails the demo, but must not skip the
    # session's stop (set -e would), and its prefix is kept.
    if [ -n "$second_started" ]; then wine_prefix_stop "$second" || status=1; fi
    wine_session_stop
    if [ "$status" -eq 0 ]; then
        rm -rf "$second"
    elif [ -d "$second" ]; then
        echo "the demo failed; the second machine's Wine prefix is kept for a look: $second" >&2
    else
        echo "the demo failed" >&2
    fi
    exit "$status"
}
trap finish EXIT
wine_session_start "$build"

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

# --- Kelbrook: a backup to drive A:, and the disk restored on a fresh machine.
kelbrook_product="{9D3C5E10-2A4F-4B55-8A77-00000000B4C1}"
windows="$WINEPREFIX/drive_c/windows"
folder="$windows/Brenvick/ZEPH/Info/$kelbrook_product"
disk="$build/demo-disk"
image="$build/kelbrook-disk.img"
shots="$build/screenshots"
backup_title="Kelbrook Creation Wizard"
recovery_title="Kelbrook Recovery Wizard"

step() { wine "$build/demo/DriveWizard.exe" "$@" </dev/null; }
shot() {
    import -window root "$shots/$1.png"
    convert "$shots/$1.png" -trim +repage "$shots/$1.png"
    echo "   screenshot $shots/$1.png"
}
# Waits for a page and takes its picture; the demo stops when the page does not come.
page() {
    local seen
    if ! seen=$(step wait "$1" "$2"); then
        echo "   expected the page \"$2...\" of \"$1\"; $seen" >&2
        return 1
    fi
    shot "$3"
}
# Wine draws the title bars itself, since Xvfb has no window manager.
decorate() { wine reg add 'HKCU\Software\Wine\AppDefaults\Kelbrook.exe\X11 Driver' /v Decorated /d N /f \
    </dev/null >/dev/null 2>&1; }
list_disk() { (cd "$1" && find . -type f | sort | while read -r f; do printf '   %8s  %s\n' "$(stat -c %s "$f")" "$f"; done); }

echo
echo "== Kelbrook: backing up product $kelbrook_product to drive A: ($disk)"
# Only the demo's own files in the product's folder, whatever an earlier run left.
rm -rf "$folder"
mkdir -p "$folder"
printf '[PRODUCT]\r\nUI-LIBRARY=SamplePurchase.dll\r\nZEPH-Receipt-TxN=TXN-2026-1207\r\n' >"$folder/PRODUCT.INF"
printf 'Licensed to: Demo Customer\r\nSeats: 1\r\n' >"$folder/LICENSE.TXT"
printf '[Options]\r\nLanguage=English\r\n' >"$folder/SETTINGS.INI"
cp "$build/backup/Kelbrook.exe" "$windows/"
cp "$build/outside/zephapi/ZEPHAPI.DLL" "$windows/system32/"
wine reg add 'HKLM\Software\Brenvick\ZEPH' /v CustomerId /d CUST-0042-DEMO /f </dev/null >/dev/null 2>&1
rm -rf "$disk"
ln -sfn "$disk" "$WINEPREFIX/dosdevices/a:"
if [ -n "$interactive" ]; then
    mkdir -p "$disk"
    echo "   the wizard is on your display"
    wine 'C:\windows\Kelbrook.exe' /CREATE "/GUID=$kelbrook_product" </dev/null || true
else
    mkdir -p "$shots"
    decorate
    wine 'C:\windows\Kelbrook.exe' /CREATE "/GUID=$kelbrook_product" </dev/null >/dev/null 2>&1 &
    page "$backup_title" "Welcome to the Backup Wizard" backup-1-welcome
    step press "$backup_title" Next
    page "$backup_title" "Please insert" backup-2-insert-disk
    # First without a disk in the drive, to show the error page and its retry.
    step press "$backup_title" Next
    page "$backup_title" "An error has occured" backup-3-no-disk
    mkdir -p "$disk"
    step press "$backup_title" Next
    page "$backup_title" "Creation of the Kelbrook is complete" backup-4-complete
    step press "$backup_title" Finish
    step gone "$backup_title"
fi
echo "   on the disk:"
list_disk "$disk"
if [ -f "$disk/DATA.INF" ]; then sed 's/^/      /' "$disk/DATA.INF"; fi

echo
echo "== the disk as a 1.44 MB floppy image"
floppy_image_write "$disk" "$image" | sed 's/^/   /'

echo
echo "== Kelbrook: restoring the disk on a fresh machine, from A:\\Kelbrook.exe"
# Drive A: of the second machine holds the files of the image.
restore_disk="$build/demo-disk-from-image"
floppy_image_read "$image" "$restore_disk"
rm -rf "$second"
second_started=yes
(
    export WINEPREFIX="$second"
    wine wineboot -i </dev/null >/dev/null 2>&1
    wine_prefix_fonts "$WINEPREFIX"
    wineserver -p </dev/null >/dev/null 2>&1 || true
    ln -sfn "$restore_disk" "$WINEPREFIX/dosdevices/a:"
    if [ -n "$interactive" ]; then
        wine 'A:\Kelbrook.exe' </dev/null || true
    else
        decorate
        wine 'A:\Kelbrook.exe' </dev/null >/dev/null 2>&1 &
        page "$recovery_title" "Welcome to the Recovery Wizard" recovery-1-welcome
        step press "$recovery_title" Next
        page "$recovery_title" "The Kelbrook Recovery Wizard is now ready" recovery-2-ready
        step press "$recovery_title" Finish
        step gone "$recovery_title"
    fi
    echo "   restored on the second machine:"
    list_disk "$WINEPREFIX/drive_c/windows" | grep -E "Kelbrook.exe|ZEPHAPI.DLL|Brenvick" || true
)
