#!/usr/bin/env bats
# build-runtime.sh failing or interrupted: its own steps (the download through
# an apt-get stand-in), GCC's parts replaced by stand-ins that sleep, each
# noting its process id in $W/pids. Afterwards nothing of the build runs,
# the lock is free and the work folder is gone.

setup() {
    W=$(mktemp -d "${TMPDIR:-/tmp}/build-runtime-test.XXXXXX")
    export W
    mkdir -p "$W/bin" "$W/etc"
    touch "$W/pids"
    printf '#!/bin/sh\ncase " $* " in *" source "*) echo "E: Unable to find a source package" >&2; exit 100 ;; esac\n' \
        >"$W/bin/apt-get"
    chmod +x "$W/bin/apt-get"
    echo "deb http://mirror.example/debian bookworm main" >"$W/etc/sources.list"
    echo VERSION_CODENAME=bookworm >"$W/os-release"
}

teardown() {
    xargs -r kill 2>/dev/null <"$W/pids" || true
    rm -rf "$W"
}

# runtime [FUNCTION BODY]...: build-runtime.sh with the given stand-ins.
runtime() {
    local stand_ins=""
    while [ $# -gt 1 ]; do stand_ins+="$1() { $2; }; "; shift 2; done
    PATH="$W/bin:$PATH" SUITE_RUNTIME_CACHE=$W/cache bash -c '
        . "$1"
        apt_config=$W/etc os_release=$W/os-release
        version_of() { echo 1; }
        lasting() { sleep 20 & echo $! >>"$W/pids"; wait; touch "$W/$1-done"; }
        prepare_gcc_tree() { lasting gcc-tree; }
        build_libgcc() { lasting libgcc; }
        '"$stand_ins"' main' runtime "$BATS_TEST_DIRNAME/../../scripts/build-runtime.sh"
}

left_clean() {
    while read -r pid; do ! kill -0 "$pid" 2>/dev/null || { echo "still runs: $pid"; return 1; }; done <"$W/pids"
    flock -n "$W/cache/.lock" true
    ! ls -d "$W"/cache/.build-* 2>/dev/null
}

@test "a failed download stops the build at once, named with its log" {
    run runtime
    echo "$output"
    [ "$status" -ne 0 ]
    [[ "$output" == *"failed at the step crt-sources; its log: $W/cache/"*"/crt-sources.log" ]]
    # Nothing ran after it.
    [ "$(tail -n1 "$W"/cache/*.logs/crt-sources.log)" = "E: Unable to find a source package" ]
    [ ! -e "$W/gcc-tree-done" ]
    left_clean
}

@test "a failing command inside a step ends that step, and the C runtime's job is stopped" {
    # Once the C runtime's job runs, at most five seconds later.
    run runtime fetch_crt_source "lasting crt-sources" prepare_gcc_tree \
        "for i in \$(seq 50); do [ -s \$W/pids ] && break; sleep 0.1; done; false; touch \$W/after-false"
    echo "$output"
    [ "$status" -ne 0 ]
    [[ "$output" == *"failed at the step gcc-tree"* ]]
    [ ! -e "$W/after-false" ] && [ ! -e "$W/crt-sources-done" ]
    left_clean
}

@test "an interrupted build stops its jobs, frees the lock and removes its work folder" {
    set -m
    runtime fetch_crt_source "lasting crt-sources" >"$W/out" 2>&1 &
    set +m
    local script=$! tries
    for ((tries = 0; tries < 100; tries++)); do [ "$(wc -l <"$W/pids" 2>/dev/null)" = 2 ] && break; sleep 0.1; done
    kill -INT -- "-$script"
    wait "$script" || true
    cat "$W/out"
    grep -q "building the i486 runtime was interrupted" "$W/out"
    left_clean
}
