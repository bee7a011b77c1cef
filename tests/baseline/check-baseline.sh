#!/bin/sh
# Usage: check-baseline.sh OBJDUMP CPUID_LIST SYMBOLS_DIR [--run-from-swap NAME]... FILE...
# Fails when a binary that ships or travels would stop a machine or loader of
# the Windows 95 / NT 4 generation:
# - an instruction newer than the i486's, or bytes that decode to none, in any
#   section that holds code or is mapped executable, named with the function
#   it sits in (from SYMBOLS_DIR/<file name>, the copy made before stripping,
#   or from the file itself when it has symbols);
# - cpuid outside the functions that CPUID_LIST names;
# - a DLL with a TLS directory (Windows 95 refuses to load it) or without
#   relocations;
# - a binary that asks for ASLR (0x0040) or DEP (0x0100);
# - a program named with --run-from-swap that does not ask to be run from the
#   swap file when started from removable or network media (0x0400, 0x0800).
set -u
objdump=$1 cpuid_list=$2 symbols=$3
shift 3
swap_names=""
while [ "${1:-}" = --run-from-swap ]; do
    swap_names="$swap_names $2"
    shift 2
done
allowed_cpuid=$(grep -v '^#' "$cpuid_list" | cut -d' ' -f1 | grep .)

objcopy=${objdump%objdump}objcopy

u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }

# Prints the name of every section that holds code (0x20) or that the loader
# maps executable (0x20000000), read from the section table itself; objdump
# gives the names, long ones resolved.
executable_sections() {
    pe=$(u32 "$1" 60)
    count=$(u16 "$1" $((pe + 6)))
    table=$((pe + 24 + $(u16 "$1" $((pe + 20)))))
    names=$("$objdump" -h "$1" | awk '/^ *[0-9]+ / { print $2 }')
    i=0
    while [ "$i" -lt "$count" ]; do
        [ $(($(u32 "$1" $((table + 40 * i + 36))) & 0x20000020)) -eq 0 ] || echo "$names" | sed -n "$((i + 1))p"
        i=$((i + 1))
    done
}

# Writes the bytes of every executable section of $1, one after another, to $2.
code_bytes() {
    : >"$2"
    for section in $(executable_sections "$1"); do
        "$objcopy" -O binary -j "$section" "$1" "$2.section" && cat "$2.section" >>"$2"
    done
    rm -f "$2.section"
}

# Prints "function<TAB>instruction" for every instruction newer than the i486.
# Generations: Pentium (cmpxchg8b, rdtsc, rdmsr/wrmsr, rsm), Pentium MMX and
# later (MMX, SSE registers and their instructions), Pentium Pro and later
# (cmov, fcmov, fcomi/fucomi, sysenter, rdpmc, fxsave, ...). The opcodes 0f 18
# to 0f 1f are refused whatever objdump prints for them: the Pentium Pro's
# long and hint NOPs in every form (nopl, nopw, "nop %eax"), endbr32 and the
# prefetch hints; an i486 faults on each. So is "(bad)", bytes that decode to
# no instruction at all. ud2 is not listed: it exists to raise the
# invalid-opcode fault, which every processor of the generation raises for
# it too.
newer_than_i486() {
    for section in $(executable_sections "$1"); do "$objdump" -D -C -j "$section" "$1"; done | awk -F'\t' '
        /^[0-9a-f]+ <.*>:$/ { sub(/^[0-9a-f]+ </, ""); sub(/>:$/, ""); function_name = $0; next }
        # Data that the linker puts into .text: the constructor and destructor
        # lists, and the C++ exception tables after its end.
        function_name ~ /^(\.gcc_except_table|_*[CD]TOR_LIST__|_*etext)$/ { next }
        /^ *[0-9a-f]+:\t/ && NF >= 3 {
            n = split($3, word, " ")
            i = 1
            while (i < n && word[i] ~ /^(lock|rep|repz|repe|repnz|repne|data16|addr16|cs|ds|es|fs|gs|ss|notrack|bnd)$/) i++
            m = word[i]
            opcode = $2
            while (opcode ~ /^(66|67|f0|f2|f3|2e|36|3e|26|64|65) /) opcode = substr(opcode, 4)
            if (opcode ~ /^0f 1[89a-f]/) {
                m = $3
                gsub(/ +/, " ", m); sub(/ $/, "", m)
                print function_name "\t" m
            } else if (m ~ /^(cmov|fcmov|fcomi|fucomi|rdtsc|sysenter|sysexit|syscall|sysret|fxsave|fxrstor|prefetch|clflush|popcnt|lzcnt|tzcnt|movbe|crc32|fisttp|pause|xsave|xrstor)/ ||
                m ~ /^(cmpxchg8b|rdmsr|wrmsr|rdpmc|rsm|emms|ldmxcsr|stmxcsr|lfence|mfence|sfence|movnti|\(bad\))$/ ||
                $3 ~ /%[xy]?mm[0-9]/)
                print function_name "\t" m
            else if (m == "cpuid")
                print function_name "\tcpuid"
        }'
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
status=0 failed=0
fail() { echo "$name: $*"; status=1 failed=1; }
for file in "$@"; do
    name=$(basename "$file") failed=0
    with_symbols="$symbols/$name"
    [ -f "$with_symbols" ] || with_symbols=$file
    if [ "$with_symbols" != "$file" ]; then
        code_bytes "$file" "$tmp/shipped"
        code_bytes "$with_symbols" "$tmp/with-symbols"
        cmp -s "$tmp/shipped" "$tmp/with-symbols" || fail "its copy with symbols, $with_symbols, holds other code"
    fi

    # cpuid is allowed where the function first probes for it (EFLAGS.ID).
    hits=$(newer_than_i486 "$with_symbols" | awk -F'\t' -v allowed="$allowed_cpuid" '
        BEGIN { n = split(allowed, a, "\n"); for (i = 1; i <= n; i++) ok[a[i]] = 1 }
        !($2 == "cpuid" && ($1 in ok))')
    if [ -n "$hits" ]; then
        fail "instructions newer than the i486:"
        echo "$hits" | awk -F'\t' '{ n[$2 " in " $1]++ } END { for (k in n) printf "  %s (%d)\n", k, n[k] }' | sort
    fi

    header=$("$objdump" -p "$file")
    characteristics=$(echo "$header" | awk '$1 == "Characteristics" { print $2; exit }')
    dll_characteristics=$(echo "$header" | awk '$1 == "DllCharacteristics" { print "0x" $2; exit }')
    if [ -z "$characteristics" ] || [ -z "$dll_characteristics" ]; then
        fail "no PE header found"
        continue
    fi
    [ $((dll_characteristics & 0x0140)) -eq 0 ] ||
        fail "DllCharacteristics $dll_characteristics asks for ASLR (0x0040) or DEP (0x0100)"
    if [ $((characteristics & 0x2000)) -ne 0 ]; then
        echo "$header" | grep -Eq '^Entry 9 0+ 0+ ' || fail "has a TLS directory, which Windows 95 refuses to load"
        echo "$header" | grep -Eq '^Entry 5 0+ 0+ ' && fail "has no relocations, so it loads only at its preferred base"
    fi
    case " $swap_names " in
        *" $name "*)
            [ $((characteristics & 0x0C00)) -eq $((0x0C00)) ] ||
                fail "Characteristics $characteristics do not ask to run from the swap file (0x0400, 0x0800)"
            ;;
    esac
    [ $failed -ne 0 ] || echo "$name: i486 instructions only, header as asked"
done
exit $status
