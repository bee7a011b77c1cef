#!/bin/sh
# Usage: source-date-epoch.sh SOURCE_DIR FILE
# Writes into FILE the time that the build's time stamps carry, in seconds:
# SOURCE_DATE_EPOCH when set, else the time of SOURCE_DIR's commit. FILE is
# left alone when it already holds that time, so that only a new time
# relinks what depends on it.
set -eu
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    epoch=$SOURCE_DATE_EPOCH
elif ! epoch=$(git -C "$1" log -1 --format=%ct 2>&1); then
    echo "no commit time for the time stamps ($epoch); outside a git clone, set SOURCE_DATE_EPOCH" >&2
    exit 1
fi
case $epoch in
    '' | *[!0-9]*) echo "SOURCE_DATE_EPOCH is no time in seconds: '$epoch'" >&2; exit 1 ;;
esac
# PE time stamps have 32 bits.
[ "$epoch" -lt 4294967296 ] || { echo "$epoch is past what a PE time stamp holds" >&2; exit 1; }
[ "$(cat "$2" 2>/dev/null)" = "$epoch" ] || echo "$epoch" >"$2"
