#!/bin/sh
# Usage: source-date-epoch.sh SOURCE_DIR [FILE]
# The time that the build's time stamps carry, in seconds: SOURCE_DATE_EPOCH
# when set, else the time of SOURCE_DIR's commit. Written into FILE, which is
# left alone when it already holds that time, so that only a new time
# relinks what depends on it; printed when no FILE is given.
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
if [ $# -lt 2 ]; then
    echo "$epoch"
elif [ "$(cat "$2" 2>/dev/null)" != "$epoch" ]; then
    echo "$epoch" >"$2"
fi
