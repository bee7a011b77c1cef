#!/usr/bin/env bats
# wine-session.sh with wine and wineserver replaced by the stand-ins in
# stubs/: one session at a time in a prefix, and a stop that waits for the
# server. Sessions run in the background with the test's fd 3 closed, so that
# a stand-in server left behind cannot hold the test open.

setup() {
    root=$(cd "$BATS_TEST_DIRNAME/../.." && pwd)
    work=$BATS_TEST_TMPDIR
    build=$work/build
    export STUB_STATE=$work/state
    mkdir -p "$STUB_STATE" "$work/bin"
    cp "$BATS_TEST_DIRNAME"/stubs/{wine,wineserver} "$work/bin/"
    export PATH="$work/bin:$PATH" USE_DISPLAY=1 DISPLAY=:99
}

# session NAME: starts a session that notes in $work/events when it has
# started and when it stops, and stops once $work/stop-NAME exists.
session() {
    timeout 60 bash -c '
        . "$1/scripts/wine-session.sh"
        wine_session_start "$2" || exit 1
        echo "$3 started" >>"$4/events"
        for _ in $(seq 400); do [ -e "$4/stop-$3" ] && break; sleep 0.1; done
        echo "$3 stopping" >>"$4/events"
        wine_session_stop
        echo "$3 stopped" >>"$4/events"' session "$root" "$build" "$1" "$work" >"$work/$1.out" 2>&1 3>&- &
}

# wait_for COMMAND: at most 30 s.
wait_for() {
    for _ in $(seq 300); do
        if eval "$1"; then return 0; fi
        sleep 0.1
    done
    echo "timed out waiting for: $1"
    return 1
}

line() { grep -nx "$1" "$work/events" | cut -d: -f1; }

@test "a second session on the prefix waits, naming the first, until the first has stopped and its server ended" {
    session first
    wait_for 'grep -qx "first started" "$work/events" 2>/dev/null'
    session second
    wait_for 'grep -q "in use by" "$work/second.out"'
    cat "$work/second.out"
    [[ "$(cat "$work/second.out")" == "$build/wineprefix is in use by session (process "* ]]
    touch "$work/stop-first"
    wait_for 'grep -qx "second started" "$work/events"'
    touch "$work/stop-second"
    wait_for 'grep -qx "second stopped" "$work/events" && grep -qx "first stopped" "$work/events"'
    cat "$work/events"
    [ "$(line "second started")" -gt "$(line "first stopping")" ]
    ! grep "a server runs already" "$STUB_STATE/calls" || false
}

@test "stopping a session waits until its wineserver has ended" {
    run timeout 60 bash -c '
        . "$1/scripts/wine-session.sh"
        wine_session_start "$2"
        server=$(cat "$WINEPREFIX/server")
        kill -0 "$server" || exit 2
        wine_session_stop
        if kill -0 "$server" 2>/dev/null; then
            echo "the server runs on after the stop"
            exit 1
        fi' session "$root" "$build" 3>&-
    echo "$output"
    [ "$status" -eq 0 ]
}

@test "a program that outlives the server is stopped with the session; the shell's own jobs without the lock run on" {
    run timeout 60 bash -c '
        set -euo pipefail
        . "$1/scripts/wine-session.sh"
        wine_session_start "$2"
        (trap "" TERM; exec sleep 300) &
        leftover=$!
        sleep 300 {WINE_SESSION_LOCK}>&- &
        other=$!
        # Lets go of the lock when asked to end, as does a new process given a leftover'"'"'s id.
        (trap "exec {WINE_SESSION_LOCK}>&-; trap - TERM" TERM; while :; do sleep 0.1; done) &
        released=$!
        wine_session_stop
        status=0
        # Killed, it is still there until this shell has reaped it.
        for _ in $(seq 10); do kill -0 "$leftover" 2>/dev/null && sleep 0.1; done
        if kill -0 "$leftover" 2>/dev/null; then echo "the leftover runs on"; status=1; fi
        if ! kill -0 "$other" 2>/dev/null; then echo "a job without the lock was stopped"; status=1; fi
        if ! kill -0 "$released" 2>/dev/null; then echo "a process that let go of the lock was killed"; status=1; fi
        kill -9 "$leftover" "$other" "$released" 2>/dev/null
        exec {lock}>>"$2/wineprefix.lock"
        if ! flock -n "$lock"; then echo "the prefix is still taken"; status=1; fi
        exit "$status"' session "$root" "$build" 3>&-
    echo "$output"
    [ "$status" -eq 0 ]
    [[ "$output" == *"stopping process "*"sleep 300"*"which outlived the session's wineserver"* ]]
}
