# shellcheck shell=bash
# Sourced by the test, demo and benchmark scripts: a Wine prefix of the
# project's own in the build folder, an X server and a persistent wineserver,
# all stopped again by wine_session_stop.
#
# They share the prefix, one session at a time: a second session would
# repoint the first one's drive A:, and its wineserver -k would end the first
# one's programs. A session holds a lock beside the prefix from its start to
# its stop; one that finds the prefix taken says by whom and waits.
#
# The windows go to an Xvfb of the session's own, so that a click or a focus
# change on the user's desktop cannot disturb a test; USE_DISPLAY=1 shows
# them on $DISPLAY instead.

# wine_session_start BUILD_DIR: returns non-zero, with what it started
# stopped again, when a step fails. Set `trap wine_session_stop EXIT` before
# calling it, so that an interrupted start is cleaned up too.
wine_session_start() {
    local build
    # Wine refuses a relative WINEPREFIX.
    build=$(realpath -m -- "$1") || return 1
    if [ -n "${WINE_SESSION_LOCK:-}" ]; then
        echo "a Wine session runs in this shell already: wine_session_stop first" >&2
        return 1
    fi
    WINE_SESSION_PREFIX=""
    WINE_SESSION_USER_DISPLAY=${DISPLAY-}
    XVFB_PID=""
    export WINEPREFIX="$build/wineprefix"
    export WINEARCH=win32
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ -e "$WINEPREFIX" ] && [ ! -O "$WINEPREFIX" ]; then
        echo "$WINEPREFIX belongs to $(stat -c %U "$WINEPREFIX"), and Wine uses only a prefix of your own:" \
            "remove it (sudo rm -rf '$WINEPREFIX') and run as yourself again" >&2
        return 1
    fi
    mkdir -p "$build"
    wine_session_lock "$build/wineprefix" || return 1
    WINE_SESSION_PREFIX="$build/wineprefix"
    if [ "${USE_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
        wine_session_start_xvfb || { wine_session_stop; return 1; }
    fi
    # Wine's service processes must not inherit our pipes, or a captured run never ends.
    if [ ! -d "$WINEPREFIX" ]; then
        if ! wine wineboot -i </dev/null >/dev/null 2>&1; then
            echo "could not create the Wine prefix $WINEPREFIX" >&2
            wine_session_stop
            return 1
        fi
    fi
    wine_prefix_fonts "$WINEPREFIX"
    # Fails harmlessly when a server for this prefix is already running.
    wineserver -p </dev/null >/dev/null 2>&1 || true
    if ! wine wineboot </dev/null >/dev/null 2>&1; then
        echo "Wine does not start in $WINEPREFIX" >&2
        wine_session_stop
        return 1
    fi
    # A crashing program must end, not wait in a debugger no one answers.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f \
        </dev/null >/dev/null 2>&1 || true
}

# wine_prefix_fonts PREFIX: Wine draws the title bar's buttons, check marks
# and scroll arrows with its own Marlett face, and letters without it (an "r"
# for the close button's cross). Debian's Wine looks for its own fonts in
# /usr/share/fonts (its data folder's ../fonts), but fonts-wine puts them in
# /usr/share/wine/fonts, where fontconfig does not look either; a prefix's own
# Fonts folder is always read. Only Marlett: the text keeps the faces the
# tests were written with.
wine_prefix_fonts() {
    local fonts="$1/drive_c/windows/Fonts" marlett=/usr/share/wine/fonts/marlett.ttf
    [ ! -e "$fonts/marlett.ttf" ] || return 0
    mkdir -p "$fonts" && cp "$marlett" "$fonts/" ||
        echo "no Marlett in $1 (fonts-wine installs it): Wine's title bars show letters for their buttons" >&2
}

# wine_session_lock PREFIX: waits until no other session holds PREFIX, then
# holds it until wine_session_stop. The lock is an open file, so it ends with
# its holders however they end; programs started in the session inherit it,
# so a wineserver that outlives its session still holds the prefix.
wine_session_lock() {
    local lock="$1.lock" pid name since
    exec {WINE_SESSION_LOCK}>>"$lock" || return 1
    if ! flock -n "$WINE_SESSION_LOCK"; then
        read -r pid name since <"$lock" || true
        if [ -z "${pid:-}" ]; then
            echo "$1 is in use by another session;" >&2
        elif kill -0 "$pid" 2>/dev/null; then
            echo "$1 is in use by $name (process $pid, since $since);" >&2
        else
            echo "$1 is in use by what $name (process $pid, since $since) left running, most likely its wineserver;" >&2
        fi
        echo "waiting until it ends (Ctrl-C to give up)" >&2
        if ! flock "$WINE_SESSION_LOCK"; then
            exec {WINE_SESSION_LOCK}>&-
            WINE_SESSION_LOCK=""
            return 1
        fi
    fi
    echo "$$ $(basename -- "$0") $(date +%T)" >"$lock"
}

# Xvfb picks a free display itself (-displayfd) and writes its number once it
# accepts connections: looking for a free number first races with a second
# run starting at the same moment.
wine_session_start_xvfb() {
    local number log i
    number=$(mktemp) && log=$(mktemp) || return 1
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number" {WINE_SESSION_LOCK}>&- \
        </dev/null >/dev/null 2>"$log" &
    XVFB_PID=$!
    for i in $(seq 300); do
        [ -s "$number" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    i=$(cat "$number")
    if ! [[ "$i" =~ ^[0-9]+$ ]] || ! kill -0 "$XVFB_PID" 2>/dev/null; then
        echo "Xvfb did not start:" >&2
        sed 's/^/    /' "$log" >&2
        rm -f "$number" "$log"
        return 1
    fi
    rm -f "$number" "$log"
    export DISPLAY=":$i"
}

# wine_prefix_stop PREFIX: stops the wineserver of that prefix alone and
# waits, bounded, until it has ended: it writes the registry into the prefix
# as it ends, so the prefix may be removed, or used by the next session, only
# then. Says so when the server has not ended in time.
wine_prefix_stop() {
    local status=0
    WINEPREFIX="$1" timeout 60 wineserver -k </dev/null >/dev/null 2>&1 || true
    WINEPREFIX="$1" timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || status=$?
    if [ "$status" -eq 124 ]; then
        echo "the wineserver of $1 has not ended within a minute" >&2
        return 1
    fi
}

# wine_session_lock_holders LOCK: the processes that hold the session's lock
# on LOCK, one a line, but for this shell and its ancestors, which hold it too.
# One find lists every open file: a process per file would take half a minute.
wine_session_lock_holders() {
    local lock=$1 pid skip=" " links fd target
    pid=$BASHPID
    while [ -n "$pid" ] && [ "$pid" != 0 ]; do
        skip+="$pid "
        pid=$(awk '/^PPid:/ { print $2 }' "/proc/$pid/status" 2>/dev/null)
    done
    # find runs without the session's lock, or it would list itself; it fails
    # for the processes that end while it looks, which set -e must not take
    # for the end of the list.
    links=$(find /proc/[0-9]*/fd -mindepth 1 -maxdepth 1 -printf '%p\t%l\n' 2>/dev/null {WINE_SESSION_LOCK}>&-) || true
    while IFS=$'\t' read -r fd target; do
        [ "$target" = "$lock" ] || continue
        pid=${fd#/proc/}
        pid=${pid%%/*}
        [[ "$skip" != *" $pid "* ]] || continue
        # A holder shares the session's lock; a session waiting for the
        # prefix has the file open too, but holds no lock on it.
        grep -q '^lock:' "/proc/$pid/fdinfo/${fd##*/}" 2>/dev/null || continue
        skip+="$pid "
        echo "$pid"
    done <<<"$links"
}

# wine_session_stop_leftovers LOCK: once the server has ended, whatever still
# holds the session's lock was started in the session and outlived it (under
# qemu-user a services.exe has been seen waiting on for good), and would keep
# the next session waiting forever.
wine_session_stop_leftovers() {
    local lock=$1 leftovers=() pid i running
    mapfile -t leftovers < <(wine_session_lock_holders "$lock")
    [ ${#leftovers[@]} -gt 0 ] || return 0
    for pid in "${leftovers[@]}"; do
        echo "stopping process $pid ($(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)), which outlived the session's wineserver" >&2
    done
    kill "${leftovers[@]}" 2>/dev/null || true
    for i in $(seq 50); do
        running=0
        for pid in "${leftovers[@]}"; do
            if kill -0 "$pid" 2>/dev/null; then running=1; fi
        done
        [ "$running" = 1 ] || return 0
        sleep 0.1
    done
    # Only what still holds the lock: an id listed above may have ended since
    # and been given to another process.
    mapfile -t leftovers < <(wine_session_lock_holders "$lock")
    [ ${#leftovers[@]} -eq 0 ] || kill -9 "${leftovers[@]}" 2>/dev/null || true
}

wine_session_stop() {
    # Only the session's own prefix: without it wineserver would stop ~/.wine's.
    if [ -n "${WINE_SESSION_PREFIX:-}" ]; then
        if wine_prefix_stop "$WINE_SESSION_PREFIX" && [ -n "${WINE_SESSION_LOCK:-}" ]; then
            wine_session_stop_leftovers "$WINE_SESSION_PREFIX.lock"
        fi
        WINE_SESSION_PREFIX=""
    fi
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
        if [ -n "${WINE_SESSION_USER_DISPLAY:-}" ]; then
            export DISPLAY="$WINE_SESSION_USER_DISPLAY"
        else
            unset DISPLAY
        fi
    fi
    # Last, once nothing of the session runs in the prefix any more.
    if [ -n "${WINE_SESSION_LOCK:-}" ]; then
        exec {WINE_SESSION_LOCK}>&-
        WINE_SESSION_LOCK=""
    fi
}
