#!/usr/bin/env bats
# build-runtime.sh failing or interrupted, with apt-get and GCC's parts
# replaced: a stand-in step sleeps, noting its process id in $W/pids. After
# each, nothing of the build runs, the lock is free, the work folder is gone.

setup() {
    W=$(mktemp -d "${TMPDIR:-/tmp}/build-runtime-test.XXXXXX") && export W
    mkdir "$W/bin" && touch "$W/pids"
    printf '#!/bin/sh\ncase " $* " in *" source "*) echo "E: no source package" >&2; exit 100 ;; esac\n' >"$W/bin/apt-get"
    chmod +x "$W/bin/apt-get"
    echo "deb http://mirror.example/debian bookworm main" >"$W/sources.list"
    echo VERSION_CODENAME=bookworm >"$W/os-release"
}

teardown() { xargs -r kill <"$W/pids" 2>/dev/null; rm -rf "$W"; }

# runtime [FUNCTION BODY]...: the script with these stand-ins too.
runtime() {
    local stand_ins=""
    while [ $# -gt 1 ]; do stand_ins+="$1() { $2; }; " && shift 2; done
    PATH="$W/bin:$PATH" SUITE_RUNTIME_CACHE=$W/cache bash -c '. "$1"
        apt_config=$W os_release=$W/os-release; version_of() { echo 1; }
        lasting() { sleep 20 & echo $! >>"$W/pids"; wait; touch "$W/$1-done"; }
        prepare_gcc_tree() { lasting gcc-tree; }; build_libgcc() { lasting libgcc; }
        '"$stand_ins"' main' runtime "$BATS_TEST_DIRNAME/../../scripts/build-runtime.sh"
}

left_clean() {
    while read -r pid; do if kill -0 "$pid" 2>/dev/null; then echo "runs: $pid" && return 1; fi; done <"$W/pids"
    flock -n "$W/cache/.lock" true && ! ls -d "$W"/cache/.build-*
}

@test "a failed step is named with its log at once: the download beside GCC's parts, or a command in one" {
    run runtime
    [[ "$output" == *"failed at the step crt-sources; its log: $W/cache/"*"/crt-sources.log" ]]
    # Nothing ran after apt-get, nor after it in GCC's parts.
    [ "$(tail -n1 "$W"/cache/*.logs/crt-sources.log)" = "E: no source package" ]
    [ ! -e "$W/gcc-tree-done" ]
    left_clean
    : >"$W/pids"
    run runtime fetch_crt_source "lasting crt-sources" prepare_gcc_tree \
        "for i in {1..50}; do [ -s \$W/pids ] && break; sleep 0.1; done; false; touch \$W/after-false"
    [[ "$status" -ne 0 && "$output" == *"failed at the step gcc-tree"* && ! -e "$W/after-false" ]]
    left_clean
}

@test "an interrupted build stops its jobs, frees the lock and removes its work folder" {
    set -m
    runtime fetch_crt_source "lasting crt-sources" >"$W/out" 2>&1 &
    set +m
    for ((i = 0; i < 100; i++)); do [ "$(wc -l <"$W/pids")" = 2 ] && break; sleep 0.1; done
    kill -INT -- "-$!" && wait "$!" || true
    grep "building the i486 runtime was interrupted" "$W/out"
    left_clean
}
