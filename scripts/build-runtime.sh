#!/usr/bin/env bash
# Builds the runtime that every program of the suite links, for the i486:
# the C runtime's start-up objects and libraries (Debian's mingw-w64 source),
# and libgcc and the C++ runtime (GCC's source from gcc-12-source), compiled
# with the installed cross compiler. Debian builds these for the i686, whose
# CMOV most machines of the target generation cannot run.
#
# Prints the runtime's folder: lib/ (start-up objects and libraries, found
# first through -B) and include/c++/ (the C++ runtime's headers, configured
# together with its library). The result is cached outside the clone, keyed
# by the source versions, the compiler, the flags and this script with its
# patch, so a second build, a new clone or CI run by the same user reuses it.
# Two builds with the same package versions give the same bytes. A failed or
# interrupted build names the step that failed and its log, stops what it
# started, releases the cache's lock and removes its work folder.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=apt-sources.sh
. "$root/scripts/apt-sources.sh"

target=i686-w64-mingw32
cc=$target-gcc-win32
cxx=$target-g++-win32
# Generic tuning, as Debian's compiler has: the baseline restricts the
# instructions, not how they are scheduled. The C runtime is tuned for the
# i486: with generic tuning its number conversion writes ctz as "rep bsf",
# the encoding of the later tzcnt, which an i486 runs as bsf but which no
# check can tell from tzcnt.
flags="-O2 -g0 -march=i486 -mtune=generic"
crt_flags="-O2 -g0 -march=i486 -mtune=i486"
# The assembler refuses anything past the i486 with its FPU, inline assembly
# included, in the C++ runtime. Not in libgcc, whose half-precision helpers
# are SSE2 by design (their values travel in XMM registers), nor in the C
# runtime, whose floating-point environment functions touch the SSE control
# register after probing for it. Only code that calls those links them, and
# the baseline check sees whatever a binary links.
assembler_guard="-Wa,-march=i486+387"
# Every compile sees the work folder, whose name is random, under this name
# (in file names, __FILE__ and the debug information that libgcc keeps), so
# that two builds give the same bytes.
fixed_work=/zeph-i486-runtime
gcc_tarball=/usr/src/gcc-12/gcc-12.2.0-dfsg.tar.xz
patches=("$root/toolchain/libgcc-gthr-semaphore-ansi.patch")
apt_config=/etc/apt
os_release=/etc/os-release

version_of() { dpkg-query -W -f='${Version}' "$1"; }

# The sources of the installed mingw-w64 headers, from the archives that the
# machine's apt configuration names, through a source list and state of our
# own: the machine's apt configuration is left as it is.
fetch_crt_source() {
    local apt=$work/apt codename
    # shellcheck source=/dev/null
    codename=$(. "$os_release" && echo "${VERSION_CODENAME:-}")
    mkdir -p "$apt/lists/partial" "$apt/archives/partial" "$work/src"
    release_source_list "$apt_config" "$codename" >"$apt/sources.list"
    local options=(-q -o "Dir::Etc::SourceList=$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt")
    # apt drops root to its sandbox user, who cannot write into our folder.
    [ "$(id -u)" -ne 0 ] || options+=(-o APT::Sandbox::User=root)
    apt-get "${options[@]}" update
    (cd "$work/src" && apt-get "${options[@]}" source --download-only "mingw-w64=$crt_version")
    local tarball
    for tarball in "$work"/src/mingw-w64_*.orig.tar.*; do
        case "$tarball" in *.asc) ;; *) tar -xf "$tarball" -C "$work/src" ;; esac
    done
}

build_crt() {
    local src build=$work/crt
    src=$(echo "$work"/src/mingw-w64-v*/mingw-w64-crt)
    mkdir -p "$build/lib32"
    (cd "$build" && "$src/configure" --host=$target --prefix="$work/unused" \
        --disable-lib64 --enable-lib32 CC=$cc CXX=$cxx CFLAGS="$crt_flags $prefix_map" \
        CXXFLAGS="$crt_flags $prefix_map" CCASFLAGS="$crt_flags $prefix_map")
    # Only what a program links; import libraries hold no code and stay Debian's.
    make -C "$build" -j"$jobs" lib32/crt2.o lib32/dllcrt2.o lib32/libmingw32.a \
        lib32/libmingwex.a lib32/libmsvcrt.a lib32/libmoldname.a
}

# libgcc's build reads a few headers and variables from a configured compiler
# tree; those are generated here without building the compiler itself.
prepare_gcc_tree() {
    local src=$work/gcc-12.2.0 build=$work/gcc
    tar -xf "$gcc_tarball" -C "$work" --exclude=gcc-12.2.0/gcc/testsuite --exclude=gcc-12.2.0/libgo \
        --exclude=gcc-12.2.0/libphobos --exclude=gcc-12.2.0/gcc/ada --exclude=gcc-12.2.0/libgfortran \
        --exclude=gcc-12.2.0/libgomp --exclude=gcc-12.2.0/libsanitizer
    local patch
    for patch in "${patches[@]}"; do patch -d "$src" -p1 --quiet <"$patch"; done
    mkdir -p "$build"
    (cd "$build" && "$src/configure" --target=$target --prefix="$work/unused" \
        --enable-languages=c,c++ --disable-multilib --enable-threads=win32 --with-arch=i486 \
        --with-tune=generic --disable-sjlj-exceptions --with-dwarf2 --disable-nls --disable-lto)
    make -C "$build" -j"$jobs" all-build-libiberty configure-gcc
    make -C "$build/gcc" -j"$jobs" tconfig.h tm.h options.h insn-constants.h insn-modes.h insn-flags.h
    # The variables file names the driver as a prerequisite, which is not built.
    make -C "$build/gcc" -o xgcc -o specs -o config.status -o Makefile libgcc.mvars
    # The C runtime's headers are there, as they are for Debian's own build.
    sed -i 's/^INHIBIT_LIBC_CFLAGS = .*/INHIBIT_LIBC_CFLAGS = /' "$build/gcc/libgcc.mvars"
    mkdir -p "$build/gcc/include"
}

build_libgcc() {
    local src=$work/gcc-12.2.0 build=$work/gcc/$target/libgcc
    mkdir -p "$build"
    (cd "$build" && "$src/libgcc/configure" --host=$target --target=$target \
        --build="$("$src/config.guess")" --prefix="$work/unused" --disable-shared CC=$cc \
        CFLAGS="$flags $prefix_map")
    make -C "$build" -j"$jobs"
    # Built without a shared libgcc, the unwinder lands in libgcc.a; the driver
    # asks for it as libgcc_eh.a, as Debian's runtime has it.
    local eh=(unwind-dw2.o unwind-dw2-fde.o unwind-sjlj.o unwind-c.o emutls.o)
    (cd "$build" && $target-ar rcsD libgcc_eh.a "${eh[@]}" && $target-ar dD libgcc.a "${eh[@]}")
}

build_libstdcxx() {
    local src=$work/gcc-12.2.0 build=$work/gcc/$target/libstdc++-v3
    mkdir -p "$build"
    # The options of Debian's cross compiler that shape the library.
    (cd "$build" && "$src/libstdc++-v3/configure" --host=$target --target=$target \
        --build="$("$src/config.guess")" --prefix="$work/stage" --disable-shared --disable-multilib \
        --disable-nls --enable-fully-dynamic-string --enable-libstdcxx-time=yes \
        --enable-libstdcxx-filesystem-ts=yes --disable-libstdcxx-pch \
        CC=$cc CXX=$cxx CFLAGS="$flags $assembler_guard $prefix_map" \
        CXXFLAGS="$flags $assembler_guard $prefix_map")
    make -C "$build" -j"$jobs"
    make -C "$build" install
}

assemble() {
    local tmp=$work/runtime stage=$work/stage libgcc=$work/gcc/$target/libgcc crt=$work/crt/lib32
    mkdir -p "$tmp/lib" "$tmp/include"
    cp "$crt"/crt2.o "$crt"/dllcrt2.o "$crt"/libmingw32.a "$crt"/libmingwex.a \
        "$crt"/libmsvcrt.a "$crt"/libmoldname.a "$tmp/lib/"
    cp "$libgcc"/crtbegin.o "$libgcc"/crtend.o "$libgcc"/libgcc.a "$libgcc"/libgcc_eh.a "$tmp/lib/"
    cp "$stage"/lib/libstdc++.a "$stage"/lib/libsupc++.a "$stage"/lib/libstdc++fs.a "$tmp/lib/"
    cp -r "$stage/include/c++/12.2.0" "$tmp/include/c++"
    {
        echo "gcc-12-source $gcc_source_version"
        echo "mingw-w64 $crt_version"
        echo "compiler $compiler_version"
        echo "flags $flags (the C++ runtime also $assembler_guard; the C runtime $crt_flags)"
    } >"$tmp/versions"
    rm -rf "$out"
    mv "$tmp" "$out"
    touch "$out/complete"
}

# step NAME FUNCTION: runs FUNCTION with its output in NAME's log. It runs as
# a job of its own, without the lock: errexit holds inside it (it is off in a
# function called under ||), and this shell, waiting in the wait builtin,
# takes a signal at once. A failure leaves NAME for the report.
step() {
    local name=$1
    shift
    # A job of this script leads a process group of its own, so that stopping
    # it stops what it started (job control is off in the jobs themselves).
    [ "$BASHPID" != "$main_pid" ] || set -m
    (exec 9>&- && "$@") >"$logs/$name.log" 2>&1 </dev/null &
    set +m
    running+=($!)
    wait $! && return 0
    echo "$name" >>"$work/failed"
    return 1
}

# The C runtime builds beside GCC's parts. A failure there, its download
# included, stops the whole build at once through SIGUSR1. Its steps are not
# chained with && or ||, under which errexit would be off inside them.
crt_job() {
    trap '[ $? -eq 0 ] || kill -USR1 "$main_pid"' EXIT
    step crt-sources fetch_crt_source
    step crt build_crt
}

# Stops every job (each leads a process group of its own, its compilers
# included) and waits, a bounded time, for them to end. A job's leader is
# this shell's child and ends at once; it is reaped first, as a zombie
# would count as running.
stop_jobs() {
    local pid tries
    for pid in "${running[@]}"; do kill -TERM -- "-$pid" 2>/dev/null || true; done
    for pid in "${running[@]}"; do wait "$pid" 2>/dev/null || true; done
    for pid in "${running[@]}"; do
        for ((tries = 0; tries < 100; tries++)); do
            kill -0 -- "-$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL -- "-$pid" 2>/dev/null || true
    done
}

# On any end but success: says what failed and where its log is, stops the
# jobs, and removes the work folder; the lock goes with this process, which
# alone holds it (jobs start without it).
finish() {
    local status=$?
    trap - EXIT INT TERM
    # A job that sees its step stopped signals too.
    trap '' USR1
    [ "$succeeded" = yes ] && exit 0
    stop_jobs
    local failed
    failed=$(head -n1 "$work/failed" 2>/dev/null || true)
    if [ -n "$failed" ]; then
        tail -n 15 "$logs/$failed.log" >&2
        echo "building the i486 runtime failed at the step $failed; its log: $logs/$failed.log" >&2
    elif [ "$interrupted" = yes ]; then
        echo "building the i486 runtime was interrupted; the logs: $logs" >&2
    else
        echo "building the i486 runtime failed; the logs: $logs" >&2
    fi
    rm -rf "$work"
    [ "$status" -ne 0 ] || status=1
    exit "$status"
}

main() {
    gcc_source_version=$(version_of gcc-12-source)
    compiler_version=$(version_of "g++-mingw-w64-i686-win32")
    # The C runtime is built from the source of the headers that are installed.
    crt_version=$(version_of mingw-w64-i686-dev)
    local key cache
    key=$( {
        printf '%s\n' "$gcc_source_version" "$compiler_version" "$crt_version" "$flags" "$crt_flags" \
            "$assembler_guard"
        cat "${BASH_SOURCE[0]}" "$root/scripts/apt-sources.sh" "${patches[@]}"
    } | sha256sum | cut -c1-16)
    cache=${SUITE_RUNTIME_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zeph-suite}
    out=$cache/i486-runtime-$key
    if [ -f "$out/complete" ]; then
        echo "$out"
        return 0
    fi

    mkdir -p "$cache"
    # One build at a time per cache; a second caller waits and then reuses it.
    exec 9>"$cache/.lock"
    if ! flock -n 9; then
        echo "waiting for another build of the i486 runtime ($cache/.lock)" >&2
        flock 9
    fi
    if [ -f "$out/complete" ]; then
        echo "$out"
        return 0
    fi

    # The parts' own makefiles call ar and ranlib without D: their archives
    # are deterministic only by binutils' default, as Debian builds it.
    local help
    help=$($target-ar --help)
    if ! grep -q '\[D\].*(default)' <<<"$help"; then
        echo "$target-ar does not make deterministic archives by default (ar --help)" >&2
        return 1
    fi

    logs=$out.logs
    rm -rf "$logs"
    mkdir -p "$logs"
    work=$(mktemp -d "$cache/.build-XXXXXX")
    prefix_map="-ffile-prefix-map=$work=$fixed_work"
    jobs=$(nproc)
    main_pid=$$ running=() succeeded=no interrupted=no
    trap finish EXIT
    trap 'interrupted=yes; exit 130' INT TERM
    trap 'exit 1' USR1
    echo "building the i486 runtime (once per user, some minutes); logs: $logs" >&2

    set -m
    (exec 9>&- && crt_job) &
    set +m
    running+=($!)
    step gcc-tree prepare_gcc_tree
    step libgcc build_libgcc
    step libstdc++ build_libstdcxx
    wait "${running[0]}"
    step assemble assemble
    succeeded=yes
    rm -rf "$work"
    echo "$out"
}

# Sourcing it gives the functions alone, to try a step by itself.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    main "$@"
fi
