#!/usr/bin/env bash
# Usage: second-build.sh BUILD [RUNTIME]
# Builds the five binaries that ship or travel with the suite a second time,
# from a copy of the clone's files in another folder, with another home
# folder and the runtime that BUILD uses (or RUNTIME), and compares them with
# BUILD's (scripts/compare-builds.sh). Then builds them once more with another
# time stamp and expects the comparison to fail, naming the time stamp: a
# check that finds nothing there would find nothing anywhere.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath -- "$1")
runtime=${2:-$(sed -n 's/^SUITE_I486_RUNTIME:PATH=//p' "$build/CMakeCache.txt")}
# The time the first build took.
epoch=$(cat "$build/source-date-epoch")
work=$(mktemp -d "${TMPDIR:-/tmp}/zeph-second-build.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/sources" "$work/home"
# The tracked files as they are now, edits included, without .git: the
# time comes from SOURCE_DATE_EPOCH there.
git -C "$root" ls-files -z | while IFS= read -r -d '' f; do [ -e "$root/$f" ] && printf '%s\0' "$f"; done |
    tar -C "$root" --null -T - -cf - | tar -C "$work/sources" -xf -

second=$work/build
targets=(--target Kelbrook ZEPHBuy ZEPH ZEPHAPI SamplePurchase)
in_second() { env -u XDG_CACHE_HOME HOME="$work/home" SOURCE_DATE_EPOCH="$1" "${@:2}"; }
in_second "$epoch" cmake -S "$work/sources" -B "$second" -DSUITE_BUILD_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$work/sources/cmake/mingw-i686.cmake" -DSUITE_I486_RUNTIME:PATH="$runtime" >/dev/null
in_second "$epoch" cmake --build "$second" -j"$(nproc)" "${targets[@]}" >"$work/build.log" ||
    { cat "$work/build.log"; exit 1; }
"$root/scripts/compare-builds.sh" "$build" "$second"

# Only the time differs now, so only the link and the step after it run.
in_second $((epoch + 1)) cmake --build "$second" -j"$(nproc)" "${targets[@]}" >"$work/build.log" ||
    { cat "$work/build.log"; exit 1; }
if out=$("$root/scripts/compare-builds.sh" "$build" "$second"); then
    echo "a build with another time stamp compared as the same:"; echo "$out"; exit 1
fi
if [ "$(grep -c 'the first at offset [0-9]* (0x[0-9a-f]*), in COFF header TimeDateStamp$' <<<"$out")" -ne 5 ]; then
    echo "a build with another time stamp, but the check did not name it in all five:"; echo "$out"; exit 1
fi
echo "and a build with another time stamp is told apart, at its time stamp"
