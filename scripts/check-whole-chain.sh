#!/usr/bin/env bash
# Usage: scripts/check-whole-chain.sh
# For occasional use, as long as a runtime build (some minutes): whether the
# whole chain is reproducible. Builds the i486 runtime again in a temporary
# cache with another home folder and compares it file by file with the one
# that build/ uses (naming, for an archive, how many of its members differ
# and how many strings name a runtime build folder); then builds the five
# binaries that ship or travel with that new runtime, from a copy of the
# clone in a temporary folder, and compares them with build/'s. BUILD_DIR
# picks another build folder. Non-zero when anything differs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m -- "${BUILD_DIR:-$root/build}")
"$root/scripts/build.sh" Kelbrook ZEPHBuy ZEPH ZEPHAPI SamplePurchase
cached=$(sed -n 's/^SUITE_I486_RUNTIME:PATH=//p' "$build/CMakeCache.txt")
work=$(mktemp -d "${TMPDIR:-/tmp}/zeph-whole-chain.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/home"
echo "== the runtime, built again in $work/cache"
fresh=$(env -u XDG_CACHE_HOME HOME="$work/home" SUITE_RUNTIME_CACHE="$work/cache" "$root/scripts/build-runtime.sh")
status=0

# Strings that name the folder a runtime was built in (build-runtime.sh
# builds in <cache>/.build-XXXXXX).
build_folders() { strings -a "$1" | grep -c '/\.build-[A-Za-z0-9]\{6\}/' || true; }
members_differing() {
    local a=$work/members-a b=$work/members-b m count=0 total=0
    rm -rf "$a" "$b"
    mkdir "$a" "$b"
    (cd "$a" && ar x "$1") && (cd "$b" && ar x "$2")
    for m in "$a"/*; do
        total=$((total + 1))
        cmp -s "$m" "$b/$(basename "$m")" || count=$((count + 1))
    done
    echo "$count of $total members differ"
}
while IFS= read -r file; do
    if [ ! -f "$fresh/$file" ] || [ ! -f "$cached/$file" ]; then
        echo "runtime: $file is only in one of them"
        status=1
    elif ! cmp -s "$cached/$file" "$fresh/$file"; then
        case $file in
            *.a) detail="$(members_differing "$cached/$file" "$fresh/$file"), " ;;
            *) detail="" ;;
        esac
        echo "runtime: $file differs (${detail}strings naming a build folder: $(build_folders "$cached/$file")" \
            "and $(build_folders "$fresh/$file"))"
        status=1
    fi
done < <({ (cd "$cached" && find . -type f -printf '%P\n'); (cd "$fresh" && find . -type f -printf '%P\n'); } | sort -u)
[ "$status" -ne 0 ] || echo "the runtime is the same, file by file"

echo "== the five binaries, built with it"
"$root/tests/reproducible/second-build.sh" "$build" "$fresh" || status=1
exit "$status"
