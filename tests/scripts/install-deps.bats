#!/usr/bin/env bats
# install-deps.sh's emulator set-up and --undo, against a change list, apt
# sources and a binfmt folder of the test's own, with apt-get, dpkg-query and
# qemu-i386 replaced by the stand-ins in stubs/ (they record their calls).
#
# The script runs as a user (nobody when the tests run as root) whose as_root
# is root in a user namespace: root's rights over the test's files, and over
# nothing else. So a list only root can read is one the user cannot.

setup() {
    root=$(cd "$BATS_TEST_DIRNAME/../.." && pwd)
    work=$(mktemp -d "${TMPDIR:-/tmp}/install-deps-test.XXXXXX")
    export STUB_STATE=$work/state
    mkdir -p "$STUB_STATE" "$work/bin" "$work/etc/sources.list.d" "$work/binfmt"
    cp "$root/scripts/install-deps.sh" "$root/scripts/apt-sources.sh" "$work/"
    cp "$BATS_TEST_DIRNAME"/stubs/{apt-get,dpkg-query,qemu-i386} "$work/bin/"
    printf 'ID=debian\nVERSION_CODENAME=bookworm\n' >"$work/etc/os-release"
    echo "deb http://mirror.example/debian bookworm main" >"$work/etc/sources.list"
    : >"$work/binfmt/register"
    backports=$work/etc/sources.list.d/zeph-bookworm-backports.list
    changes=$work/lib/zeph-suite/emulator-changes
    backports_version=1:8.2.2+ds-0~bpo12+1
}

teardown() {
    chmod -R u+rwX "$work"
    rm -rf "$work"
}

# deps FUNCTION [ARG...]: runs that function of install-deps.sh.
deps() {
    local as_user=()
    if [ "$(id -u)" -eq 0 ]; then
        chown -R 65534:65534 "$work"
        as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
    fi
    cd "$work" && PATH="$work/bin:$PATH" W=$work "${as_user[@]}" bash -c '
        . "$W/install-deps.sh"
        os_release=$W/etc/os-release apt_sources=$W/etc binfmt=$W/binfmt emulator=$W/bin/qemu-i386
        backports_list=$W/etc/sources.list.d/zeph-bookworm-backports.list
        changes=$W/lib/zeph-suite/emulator-changes
        # Refused, as sudo can be, for whatever names $ROOT_REFUSED.
        as_root() { [[ -z "${ROOT_REFUSED:-}" || " $* " != *" $ROOT_REFUSED "* ]] && unshare --map-root-user "$@"; }
        runs_32bit() { grep -q ":zeph-i386:" "$binfmt/register"; }
        export STUB_INTERRUPT_PID=$$
        "$@"' deps "$@"
}

package() { echo "$2|$3" >"$STUB_STATE/package-$1"; }
list() { mkdir -p "$(dirname "$changes")" && printf '%s\n' "$@" >"$changes"; }
calls() { cat "$STUB_STATE/calls" 2>/dev/null || true; }
# `! cmd` never fails a bats test.
no_call() {
    if calls | grep -qE -- "$1"; then
        echo "unexpected call matching $1"
        return 1
    fi
}

# What the set-up left: the backports source, and qemu-user from it where
# there was none.
set_up_state() {
    echo "deb http://mirror.example/debian bookworm-backports main" >"$backports"
    package qemu-user "install ok installed" "$backports_version"
    echo "$backports_version" >"$STUB_STATE/available-qemu-user"
    list "source $backports" "package qemu-user none"
}

# The list's folder or the list itself unreadable to the user, as sudo
# leaves them under a umask of 077.
undo_through_unreadable() {
    set_up_state
    chmod 000 "$1"
    run deps main --undo
    echo "$output"
    [ "$status" -eq 0 ]
    calls | grep -qx "root: apt-get -q remove -y qemu-user"
    [ ! -e "$backports" ]
    chmod u+rwx "$(dirname "$changes")"
    [ ! -e "$changes" ]
}

@test "undo takes the changes back when only root can read the list's folder" {
    undo_through_unreadable "$(dirname "$changes")"
}

@test "undo takes the changes back when only root can read the list" {
    undo_through_unreadable "$changes"
}

@test "undo removes what the set-up installed, even a package removed but not purged before, and puts back what it upgraded" {
    package qemu-user "deinstall ok config-files" 1:7.2+dfsg-7+deb12u7
    printf '%s\n' "$backports_version" 1:7.2+dfsg-7+deb12u7 >"$STUB_STATE/available-qemu-user"
    printf '%s\n' "libfdt1 1.7.0-1~bpo12+1" "libcapstone4 4.0.2-5" >"$STUB_STATE/brings-qemu-user"
    package libfdt1 "install ok installed" 1.6.1-4
    printf '%s\n' 1.7.0-1~bpo12+1 1.6.1-4 >"$STUB_STATE/available-libfdt1"
    echo qemu-user | tee "$STUB_STATE/needs-libfdt1" >"$STUB_STATE/needs-libcapstone4"
    run deps setup_emulator
    echo "$output"
    [ "$status" -eq 0 ]
    # From the machine's own mirror.
    grep -qx "deb http://mirror.example/debian bookworm-backports main" "$backports"
    run deps main --undo
    echo "$output"
    [ "$status" -eq 0 ]
    no_call "install.*qemu-user="
    grep -q '^deinstall' "$STUB_STATE/package-qemu-user"
    grep -q '^deinstall' "$STUB_STATE/package-libcapstone4"
    grep -qx 'install ok installed|1.6.1-4' "$STUB_STATE/package-libfdt1"
}

@test "undo that cannot put a version back, or ask root about a source, names it, takes back the rest and fails" {
    set_up_state
    # A point release has replaced the version the machine had.
    printf '%s\n' "$backports_version" 1:7.2+dfsg-7+deb12u12 >"$STUB_STATE/available-qemu-user"
    export ROOT_REFUSED=$work/etc/sources.list.d/other.list
    touch "$ROOT_REFUSED"
    list "source $backports" "source $ROOT_REFUSED" "package qemu-user 1:7.2+dfsg-7+deb12u7" "handler zeph-i386"
    run deps main --undo
    echo "$output"
    [ "$status" -ne 0 ]
    [[ "$output" == *"qemu-user 1:7.2+dfsg-7+deb12u7"* ]]
    [ ! -e "$backports" ]
    [ -e "$ROOT_REFUSED" ]
    [ "$(cat "$changes")" = "source $ROOT_REFUSED"$'\n'"package qemu-user 1:7.2+dfsg-7+deb12u7" ]
}

@test "undo leaves a package that something installed since needs, and says so" {
    set_up_state
    echo qemu-user-binfmt >"$STUB_STATE/needs-qemu-user"
    package qemu-user-binfmt "install ok installed" "$backports_version"
    run deps main --undo
    echo "$output"
    [ "$status" -ne 0 ]
    [[ "$output" == *qemu-user-binfmt* ]]
    no_call "root: .* remove "
    grep -q '^install ok installed' "$STUB_STATE/package-qemu-user"
    [ ! -e "$backports" ]
}

@test "a change interrupted before its record is still taken back" {
    echo "$backports_version" >"$STUB_STATE/available-qemu-user"
    touch "$STUB_STATE/interrupt"
    run deps setup_emulator
    echo "$output"
    [ "$status" -ne 0 ]
    grep -q '^install ok installed' "$STUB_STATE/package-qemu-user"
    run deps main --undo
    echo "$output"
    [ "$status" -eq 0 ]
    grep -q '^deinstall' "$STUB_STATE/package-qemu-user"
    [ ! -e "$backports" ]
}
