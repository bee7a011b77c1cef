#!/bin/sh
# Usage: check-link.sh OBJDUMP MAP...
# Fails when a link map (ld -Map) shows an object or an archive member taken
# from the distribution's own MinGW runtime folders. Those are built for the
# i686, and the toolchain puts the i486 runtime first, so whatever still
# comes from there is something that runtime lacks (crt2u.o for -municode,
# crtfastmath.o, libssp, libatomic) and would fall back silently. Import
# libraries hold no code and stay the distribution's: a member that holds
# only import stubs (.idata sections, and at most the 8 bytes of a jump
# through the import table in .text) passes.
set -u
objdump=$1
shift
distribution='^/usr/(lib/gcc/i686-w64-mingw32|i686-w64-mingw32/lib)/'
tab=$(printf '\t')
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Prints what the map's link took in, one a line, paths made canonical: an
# object as PATH<TAB>, an archive member as PATH<TAB>MEMBER.
linked() {
    awk '
        /^Archive member included/ { members = 1; next }
        /^(Discarded input sections|Allocating common symbols|Memory Configuration)/ { members = 0 }
        members && /^[^ \t]+\(.*\)/ {
            split($1, part, "(")
            print part[1] "\t" substr($1, length(part[1]) + 2, length($1) - length(part[1]) - 2)
        }
        $1 == "LOAD" && $2 !~ /\.a$/ { print $2 "\t" }' "$1" >"$tmp/raw"
    cut -f1 "$tmp/raw" | sort -u >"$tmp/paths"
    tr '\n' '\0' <"$tmp/paths" | xargs -0 realpath -m -- | paste "$tmp/paths" - >"$tmp/canonical"
    awk -F'\t' 'NR == FNR { canonical[$1] = $2; next } { print canonical[$1] "\t" $2 }' "$tmp/canonical" "$tmp/raw"
}

# Prints ARCHIVE<TAB>MEMBER for each member of the archive $1 that holds
# import stubs and nothing else.
import_stubs() {
    "$objdump" -h "$1" | awk -v archive="$1" '
        function close_member() { if (member != "" && stub && idata) print archive "\t" member }
        /^[^ \t].*:[ \t]+file format / { close_member(); member = $0; sub(/:[ \t]+file format .*/, "", member); stub = 1; idata = 0; next }
        /^ *[0-9]+ [^ ]+ +[0-9a-f]+ / {
            if ($2 ~ /^\.idata\$/) idata = 1
            else if ($3 != "00000000" && !($2 == ".text" && $3 <= "00000008")) stub = 0
        }
        END { close_member() }'
}

status=0
: >"$tmp/stubs"
for map in "$@"; do
    linked "$map" | grep -E "$distribution" | sort -u >"$tmp/taken"
    for archive in $(awk -F'\t' '$2 != "" { print $1 }' "$tmp/taken" | sort -u); do
        grep -q "^$archive$tab" "$tmp/stubs" || import_stubs "$archive" >>"$tmp/stubs"
    done
    taken=$(grep -vxFf "$tmp/stubs" "$tmp/taken" | awk -F'\t' '{ print "  " $1 ($2 == "" ? "" : "(" $2 ")") }')
    if [ -n "$taken" ]; then
        echo "$(basename "$map" .map): links from the distribution's MinGW runtime, not the i486 runtime:"
        echo "$taken"
        status=1
    else
        echo "$(basename "$map" .map): nothing but import stubs from the distribution's MinGW runtime"
    fi
done
exit $status
