#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian 12 machine and
# makes 32-bit programs runnable. Safe to run again: only what is missing is done.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

packages=(cmake make g++-mingw-w64-i686-win32 mingw-w64-i686-dev binutils-mingw-w64-i686
          googletest wine wine32:i386 xvfb xauth fonts-wine x11-utils imagemagick)
missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
    dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
    $SUDO apt-get update -q
    $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Some kernels run no 32-bit x86 code at all (no 32-bit code segment). Wine's
# 32-bit loader then runs under user-mode emulation. Emulators before 8.x
# ignore MAP_FIXED_NOREPLACE, which makes every Wine process start take a
# minute, so the newer one from backports is used.
if /lib/ld-linux.so.2 --help >/dev/null 2>&1 && [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    exit 0
fi
emulator=/usr/bin/qemu-i386
if ! "$emulator" --version 2>/dev/null | grep -qE 'version ([89]|[1-9][0-9])\.'; then
    list=/etc/apt/sources.list.d/backports.list
    if [ ! -e "$list" ]; then
        echo "deb http://deb.debian.org/debian bookworm-backports main" | $SUDO tee "$list" >/dev/null
    fi
    $SUDO apt-get update -q
    $SUDO apt-get install -y -q --no-install-recommends -t bookworm-backports qemu-user-static
fi
binfmt=/proc/sys/fs/binfmt_misc
[ -e $binfmt/register ] || $SUDO mount -t binfmt_misc binfmt_misc $binfmt
# The F flag opens the emulator when registering: re-register after an upgrade.
if [ -e $binfmt/qemu-i386 ] && ! grep -qx "interpreter $emulator" $binfmt/qemu-i386; then
    echo -1 | $SUDO tee $binfmt/qemu-i386 >/dev/null
fi
if [ ! -e $binfmt/qemu-i386 ]; then
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":qemu-i386:M::$magic:$mask:$emulator:F" | $SUDO tee $binfmt/register >/dev/null
fi
/lib/ld-linux.so.2 --help >/dev/null 2>&1 || { echo "32-bit programs cannot run on this machine" >&2; exit 1; }
