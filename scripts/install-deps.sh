#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian 12 machine and
# makes 32-bit programs runnable. Safe to run again: only what is missing is
# done. Run it as yourself: it asks sudo for what needs root.
#
# On a machine whose kernel runs no 32-bit x86 code, it registers QEMU's
# user-mode emulator for 32-bit programs, prints every change it makes to the
# system for that, and `install-deps.sh --undo` takes those changes back.
set -euo pipefail

packages=(cmake make g++-mingw-w64-i686-win32 mingw-w64-i686-dev binutils-mingw-w64-i686
          googletest wine wine32:i386 xvfb fonts-wine imagemagick mtools)

os_release=/etc/os-release
binfmt=/proc/sys/fs/binfmt_misc
# Registered under the project's name, so that it never replaces or removes a
# handler of someone else's; the newest registration is the one the kernel uses.
handler=zeph-i386
emulator=/usr/bin/qemu-i386
backports_list=/etc/apt/sources.list.d/zeph-bookworm-backports.list
# What the emulator set-up changed, one line each, for --undo.
changes=/var/lib/zeph-suite/emulator-changes

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "needs root for: $*; install sudo or run this as root" >&2
        return 1
    fi
}
# sudo resets the environment, so the front end goes on the command line.
apt_get() { as_root env DEBIAN_FRONTEND=noninteractive apt-get -q "$@"; }
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
installed_version() { dpkg-query -W -f='${Version}' "$1" 2>/dev/null || true; }
record() {
    echo "changed: $2"
    as_root mkdir -p "$(dirname "$changes")"
    echo "$1" | as_root tee -a "$changes" >/dev/null
}

install_packages() {
    local missing=() p
    for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
    [ ${#missing[@]} -gt 0 ] || return 0
    dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
    apt_get update
    apt_get install -y --no-install-recommends "${missing[@]}"
}

runs_32bit() { /lib/ld-linux.so.2 --help >/dev/null 2>&1; }

# QEMU before 8 ignores MAP_FIXED_NOREPLACE, and every Wine process then
# spends a minute reserving its address space.
recent_qemu() { "$1" --version 2>/dev/null | grep -qE 'version ([89]|[1-9][0-9])\.'; }

# An enabled handler of someone else's that runs 32-bit x86 programs with an
# older QEMU: it works, but too slowly for the tests.
slow_foreign_handler() {
    local entry interpreter
    for entry in "$binfmt"/*; do
        case "$(basename "$entry")" in register | status | "$handler") continue ;; esac
        grep -qx enabled "$entry" 2>/dev/null || continue
        # ELF, 32-bit, little-endian, and e_machine 3 (i386) at byte 18.
        grep -qE '^magic 7f454c460101.{24}0300' "$entry" || continue
        interpreter=$(sed -n 's/^interpreter //p' "$entry")
        case "$(basename "$interpreter")" in qemu-i386*) ;; *) continue ;; esac
        recent_qemu "$interpreter" || { echo "$entry"; return 0; }
    done
    return 1
}

# Prints the suite that carries QEMU 8 or later for this release, or fails.
emulator_suite() {
    local id codename
    id=$(. "$os_release" && echo "${ID:-}")
    codename=$(. "$os_release" && echo "${VERSION_CODENAME:-}")
    case "$id:$codename" in
        debian:bookworm) echo bookworm-backports ;;
        debian:trixie | debian:forky | debian:sid) echo "$codename" ;;
        *)
            echo "This machine runs no 32-bit x86 programs, and setting up the emulator is known" \
                "only for Debian 12 and later (this is ${id:-unknown} ${codename:-}): install QEMU 8 or" \
                "later's qemu-i386 and register it for 32-bit x86 programs in $binfmt yourself." >&2
            return 1
            ;;
    esac
}

install_emulator() {
    local suite before
    recent_qemu "$emulator" && return 0
    suite=$(emulator_suite)
    if [ "$suite" = bookworm-backports ] &&
        ! grep -rqsE '^[^#]*bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        echo "deb http://deb.debian.org/debian bookworm-backports main" | as_root tee "$backports_list" >/dev/null
        record "source $backports_list" "added the apt source $backports_list (bookworm-backports)"
    fi
    before=$(installed_version qemu-user)
    apt_get update
    # qemu-user alone: qemu-user-static is now a transitional package whose
    # qemu-user-binfmt registers emulators for every foreign architecture.
    apt_get install -y --no-install-recommends -t "$suite" qemu-user
    record "package qemu-user ${before:-none}" \
        "installed qemu-user $(installed_version qemu-user) from $suite${before:+ (was $before)}"
    recent_qemu "$emulator" || { echo "$emulator is older than QEMU 8 after the install" >&2; return 1; }
}

register_handler() {
    local magic mask
    if [ ! -e "$binfmt/register" ]; then
        as_root mount -t binfmt_misc binfmt_misc "$binfmt"
        record "mount $binfmt" "mounted binfmt_misc on $binfmt"
    fi
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    # F: the kernel opens the emulator now, so it also runs inside other mount namespaces.
    echo ":$handler:M::$magic:$mask:$emulator:F" | as_root tee "$binfmt/register" >/dev/null
    record "handler $handler" "registered the binfmt handler $binfmt/$handler for 32-bit x86 programs ($emulator)"
}

setup_emulator() {
    local slow=""
    if [ -e "$binfmt/$handler" ]; then
        runs_32bit && return 0
        echo "the handler $binfmt/$handler is registered, but 32-bit programs do not run" >&2
        return 1
    fi
    if runs_32bit; then
        slow=$(slow_foreign_handler) || return 0
        echo "32-bit programs run through $slow, with QEMU older than 8: too slow for Wine." \
            "Registering $handler beside it, which the kernel then uses first."
    fi
    install_emulator
    register_handler
    runs_32bit || { echo "32-bit programs still do not run on this machine" >&2; return 1; }
    echo "32-bit programs now run under $emulator. To take these changes back: $0 --undo"
}

undo() {
    local kind what version
    if [ -e "$binfmt/$handler" ]; then
        echo -1 | as_root tee "$binfmt/$handler" >/dev/null
        echo "removed the binfmt handler $binfmt/$handler"
    elif [ ! -s "$changes" ]; then
        echo "nothing to undo: no handler $binfmt/$handler, and no changes listed in $changes"
    fi
    [ -s "$changes" ] || return 0
    # Newest first; apt-get must not read the list.
    while read -r -u 3 kind what version; do
        case "$kind" in
            package)
                if [ "$version" = none ]; then
                    apt_get remove -y "$what"
                    echo "removed the package $what"
                else
                    apt_get install -y --no-install-recommends --allow-downgrades "$what=$version"
                    echo "put back $what $version"
                fi
                ;;
            source)
                as_root rm -f "$what"
                apt_get update
                echo "removed the apt source $what"
                ;;
            mount)
                # Only when nothing but ours was ever registered there.
                if ! find "$what" -mindepth 1 -maxdepth 1 ! -name register ! -name status | grep -q .; then
                    as_root umount "$what"
                    echo "unmounted $what"
                fi
                ;;
            handler) ;;
        esac
    done 3< <(tac "$changes")
    as_root rm -f "$changes"
}

main() {
    case "${1:-}" in
        --undo) undo; return ;;
        "") ;;
        *) echo "usage: $0 [--undo]" >&2; return 2 ;;
    esac
    install_packages
    # Some kernels run no 32-bit x86 code at all (no 32-bit code segment).
    # Wine's 32-bit loader then runs under user-mode emulation.
    setup_emulator
}

# Sourcing it gives the functions alone, to try a step by itself.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    main "$@"
fi
