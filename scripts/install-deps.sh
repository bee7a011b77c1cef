#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian 12 machine and
# makes 32-bit programs runnable. Safe to run again: only what is missing is
# done. Run it as yourself: it asks sudo for what needs root.
#
# On a machine whose kernel runs no 32-bit x86 code, it registers QEMU's
# user-mode emulator for 32-bit programs, prints every change it makes to the
# system for that, and `install-deps.sh --undo` takes those changes back.
set -euo pipefail
# shellcheck source=apt-sources.sh
. "$(dirname "${BASH_SOURCE[0]}")/apt-sources.sh"

packages=(cmake make g++-mingw-w64-i686-win32 mingw-w64-i686-dev binutils-mingw-w64-i686
          googletest wine wine32:i386 xvfb fonts-wine imagemagick mtools
          # the i486 runtime (scripts/build-runtime.sh): GCC's sources, and what
          # configuring them and fetching the C runtime's sources take
          gcc-12-source g++ gawk libgmp-dev libmpfr-dev libmpc-dev patch xz-utils bzip2
          dpkg-dev debian-archive-keyring
          # the release archive (scripts/release.sh)
          zip unzip)

# The scripts' own tests: bats runs them, shellcheck reads every script.
script_test_packages=(bats shellcheck)

os_release=/etc/os-release
apt_sources=/etc/apt
binfmt=/proc/sys/fs/binfmt_misc
# Registered under the project's name, so that it never replaces or removes a
# handler of someone else's; the newest registration is the one the kernel uses.
handler=zeph-i386
emulator=/usr/bin/qemu-i386
backports_list=$apt_sources/sources.list.d/zeph-bookworm-backports.list
# What the emulator set-up changed, for --undo (see record). It is root's, and
# sudo's umask may leave it unreadable to the user: it is read and tested only
# through as_root.
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
# The installed version, or nothing: a package removed but not purged still
# has a version, and is not installed.
installed_version() {
    { dpkg-query -W -f='${Status}|${Version}' "$1" 2>/dev/null || true; } | sed -n 's/^[a-z]* ok installed|//p'
}
installed() { [ -n "$(installed_version "$1")" ]; }
# present_as_root FILE: prints yes or no, as root sees FILE; fails, saying so,
# when root cannot be asked, where a failing `as_root test -e` reads as "no".
present_as_root() {
    case $(as_root sh -c 'test -e "$1"; echo "$?"' sh "$1") in
        0) echo yes ;;
        1) echo no ;;
        *) echo "cannot ask root whether $1 is there" >&2; return 1 ;;
    esac
}
# record LINE: lists a change that is about to be made, before it is made, so
# that an interrupt cannot leave a change unlisted; undo takes back only what
# it finds changed. One line a change:
#   source FILE            the apt source FILE was added
#   package NAME VERSION   NAME was installed or upgraded; VERSION is the one
#                          installed before, or none
#   mount DIR              binfmt_misc was mounted on DIR
#   handler NAME           the binfmt handler NAME was registered
record() {
    as_root mkdir -p "$(dirname "$changes")" &&
        echo "$1" | as_root tee -a "$changes" >/dev/null
}

install_packages() {
    local missing=() p
    for p in "${packages[@]}" "${script_test_packages[@]}"; do installed "$p" || missing+=("$p"); done
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
    # shellcheck source=/dev/null
    id=$(. "$os_release" && echo "${ID:-}")
    # shellcheck source=/dev/null
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

# packages_beside NAME SUITE: the packages other than NAME that installing NAME
# from SUITE installs or upgrades, one a line with the version installed
# before, or none; from the "Inst" lines of apt-get's simulation.
packages_beside() {
    local out
    out=$(apt-get -s -q install -y --no-install-recommends -t "$2" "$1" 2>&1) || {
        echo "apt-get cannot install $1 from $2: $out" >&2
        return 1
    }
    echo "$out" | awk -v name="$1" '$1 == "Inst" && $2 != name && index($2, name ":") != 1 {
        print $2, ($3 ~ /^\[.*\]$/ ? substr($3, 2, length($3) - 2) : "none") }'
}

install_emulator() {
    local suite before beside name version line
    recent_qemu "$emulator" && return 0
    suite=$(emulator_suite)
    if [ "$suite" = bookworm-backports ] && ! has_suite "$apt_sources" bookworm-backports; then
        # From the archive that this machine installs bookworm from.
        line=$(backports_source_line "$apt_sources" bookworm)
        record "source $backports_list"
        echo "$line" | as_root tee "$backports_list" >/dev/null
        echo "changed: added the apt source $backports_list (bookworm-backports)"
    fi
    before=$(installed_version qemu-user)
    apt_get update
    # What comes with it is listed first, so that undo, newest first, takes
    # qemu-user back before what it needs.
    beside=$(packages_beside qemu-user "$suite") || return 1
    while read -r name version; do
        [ -z "$name" ] || record "package $name $version"
    done <<<"$beside"
    record "package qemu-user ${before:-none}"
    # qemu-user alone: qemu-user-static is now a transitional package whose
    # qemu-user-binfmt registers emulators for every foreign architecture.
    apt_get install -y --no-install-recommends -t "$suite" qemu-user
    echo "changed: installed qemu-user $(installed_version qemu-user) from $suite${before:+ (was $before)}"
    [ -z "$beside" ] || echo "changed: installed or upgraded with it: $(cut -d' ' -f1 <<<"$beside" | paste -sd' ')"
    recent_qemu "$emulator" || { echo "$emulator is older than QEMU 8 after the install" >&2; return 1; }
}

register_handler() {
    local magic mask
    if [ ! -e "$binfmt/register" ]; then
        record "mount $binfmt"
        as_root mount -t binfmt_misc binfmt_misc "$binfmt"
        echo "changed: mounted binfmt_misc on $binfmt"
    fi
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    # F: the kernel opens the emulator now, so it also runs inside other mount namespaces.
    record "handler $handler"
    echo ":$handler:M::$magic:$mask:$emulator:F" | as_root tee "$binfmt/register" >/dev/null
    echo "changed: registered the binfmt handler $binfmt/$handler for 32-bit x86 programs ($emulator)"
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

# Prints the packages other than $1 that the apt-get command $2... would
# remove (a simulation); fails, with apt-get's words, when apt-get would.
other_removals() {
    local name=$1 out
    shift
    out=$(apt-get -s -q "$@" 2>&1) || { echo "$out" | grep -E '^E:' || echo "$out"; return 1; }
    echo "$out" | sed -n 's/^Remv \([^ ]*\).*/\1/p' | grep -vxE "$name(:[a-z0-9]+)?" | tr '\n' ' ' || true
}

# undo_change KIND WHAT [VERSION]: takes one listed change back, or says why
# it cannot and fails.
undo_change() {
    local kind=$1 what=$2 version=${3:-} current others
    case "$kind" in
        package)
            current=$(installed_version "$what")
            if [ "$version" = none ]; then
                if [ -z "$current" ]; then
                    echo "$what is not installed: nothing to remove"
                    return 0
                fi
                others=$(other_removals "$what" remove "$what") || {
                    echo "cannot remove the package $what: $others" >&2
                    return 1
                }
                if [ -n "$others" ]; then
                    echo "left the package $what installed: ${others% }, installed since, need it." \
                        "Remove those first, then run --undo again." >&2
                    return 1
                fi
                apt_get remove -y "$what" || { echo "apt-get could not remove the package $what" >&2; return 1; }
                echo "removed the package $what"
            elif [ -z "$current" ]; then
                # Removed since: putting it back would undo the user's choice.
                echo "$what is no longer installed: left so, not put back at $version"
            elif [ "$current" = "$version" ]; then
                echo "$what is at $version already"
            else
                others=$(other_removals "$what" install --allow-downgrades "$what=$version") || {
                    echo "cannot put back $what $version, so it stays at $current: $others" >&2
                    return 1
                }
                if [ -n "$others" ]; then
                    echo "left $what at $current: putting back $version would remove ${others% }" >&2
                    return 1
                fi
                apt_get install -y --no-install-recommends --allow-downgrades "$what=$version" || {
                    echo "apt-get could not put back $what $version" >&2
                    return 1
                }
                echo "put back $what $version"
            fi
            ;;
        source)
            current=$(present_as_root "$what") || return 1
            if [ "$current" = yes ]; then
                as_root rm -f "$what" || { echo "could not remove the apt source $what" >&2; return 1; }
                echo "removed the apt source $what"
                apt_get update || echo "apt-get update failed; run it again once the network is back" >&2
            fi
            ;;
        mount)
            # Only when nothing but ours was ever registered there.
            if ! mountpoint -q "$what"; then
                return 0
            elif find "$what" -mindepth 1 -maxdepth 1 ! -name register ! -name status | grep -q .; then
                echo "left binfmt_misc mounted on $what: other handlers are registered there"
            else
                as_root umount "$what" || { echo "could not unmount $what" >&2; return 1; }
                echo "unmounted $what"
            fi
            ;;
        handler)
            if [ -e "$binfmt/$what" ]; then
                echo -1 | as_root tee "$binfmt/$what" >/dev/null || {
                    echo "could not remove the binfmt handler $binfmt/$what" >&2
                    return 1
                }
                echo "removed the binfmt handler $binfmt/$what"
            fi
            ;;
        *)
            echo "a line of $changes that this script does not know: $kind $what $version" >&2
            return 1
            ;;
    esac
}

# Takes the listed changes back, newest first. A change that cannot be taken
# back is named, stays in the list, and makes the undo fail once the rest is
# done.
undo() {
    local lines=() kept=() i kind what version text present new
    as_root true || { echo "--undo needs root: nothing was taken back" >&2; return 1; }
    present=$(present_as_root "$changes") || { echo "nothing was taken back" >&2; return 1; }
    if [ "$present" = yes ]; then
        text=$(as_root cat "$changes") || { echo "cannot read $changes: nothing was taken back" >&2; return 1; }
        [ -z "$text" ] || mapfile -t lines <<<"$text"
    fi
    # The handler goes first, even when the list is lost.
    if [ -e "$binfmt/$handler" ]; then
        lines+=("handler $handler")
    elif [ ${#lines[@]} -eq 0 ]; then
        echo "nothing to undo: no handler $binfmt/$handler, and no changes listed in $changes"
        return 0
    fi
    for ((i = ${#lines[@]} - 1; i >= 0; i--)); do
        read -r kind what version <<<"${lines[i]}"
        undo_change "$kind" "$what" "$version" || kept=("${lines[i]}" "${kept[@]}")
    done
    if [ ${#kept[@]} -eq 0 ]; then
        as_root rm -f "$changes"
        return 0
    fi
    # Beside it and renamed: tee would empty the list before writing it, and
    # an interrupt or a full disk then would lose the lines kept.
    if new=$(as_root mktemp "$changes.XXXXXX") &&
        printf '%s\n' "${kept[@]}" | as_root tee "$new" >/dev/null &&
        as_root mv -f "$new" "$changes"; then
        echo "not taken back, and still listed in $changes:" >&2
    else
        [ -z "$new" ] || as_root rm -f "$new" || true
        echo "not taken back ($changes could not be rewritten, and still lists every change):" >&2
    fi
    printf '    %s\n' "${kept[@]}" >&2
    return 1
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
