#!/usr/bin/env bash
# Usage: scripts/build.sh [TARGET...]
# Installs what is missing, then configures and builds in build/ the targets
# named, or everything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m -- "${BUILD_DIR:-$root/build}")
# Wine uses only a prefix that belongs to the user, so a build folder that
# root made in someone's clone is one they cannot test in afterwards.
if [ "$(id -u)" -eq 0 ] && [ ! -O "$root" ]; then
    echo "Run this as $(stat -c %U "$root"), who owns $root, not as root:" \
        "the scripts ask sudo for what needs root." >&2
    exit 1
fi
if [ -e "$build" ] && [ ! -O "$build" ]; then
    echo "$build belongs to $(stat -c %U "$build"), and Wine uses only a prefix of your own:" \
        "remove it (sudo rm -rf '$build') and run as yourself again." >&2
    exit 1
fi
"$root/scripts/install-deps.sh"
runtime=$("$root/scripts/build-runtime.sh")
# A build folder configured with the posix thread model, or with another
# runtime than this one, is configured anew: the compiler flags that name the
# runtime are set only when a folder is first configured.
if grep -qs 'g++-posix' "$build"/CMakeFiles/*/CMakeCXXCompiler.cmake ||
    { [ -f "$build/CMakeCache.txt" ] && ! grep -qx "SUITE_I486_RUNTIME:PATH=$runtime" "$build/CMakeCache.txt"; }; then
    rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DSUITE_I486_RUNTIME:PATH="$runtime" >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
