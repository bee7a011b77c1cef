#!/usr/bin/env bash
# Installs what is missing, then configures and builds everything in build/.
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
# A build folder configured with the posix thread model is configured anew.
if grep -qs 'g++-posix' "$build"/CMakeFiles/*/CMakeCXXCompiler.cmake; then
    rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)"
