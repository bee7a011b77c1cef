# Sourced by the test and demo scripts: a Wine prefix of the project's own in
# the build folder, an X server (Xvfb when there is none) and a persistent
# wineserver, all stopped again by wine_session_stop.

wine_session_start() {
    local build=$1
    export WINEPREFIX="$build/wineprefix"
    export WINEARCH=win32
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    XVFB_PID=""
    if [ -z "${DISPLAY:-}" ]; then
        local n=90
        while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    fi
    # Wine's service processes must not inherit our pipes, or a captured run never ends.
    if [ ! -d "$WINEPREFIX" ]; then
        wine wineboot -i </dev/null >/dev/null 2>&1
    fi
    # Fails harmlessly when a server for this prefix is already running.
    wineserver -p </dev/null >/dev/null 2>&1 || true
    wine wineboot </dev/null >/dev/null 2>&1
    # A crashing program must end, not wait in a debugger no one answers.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f \
        </dev/null >/dev/null 2>&1 || true
}

wine_session_stop() {
    wineserver -k </dev/null >/dev/null 2>&1 || true
    if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}
