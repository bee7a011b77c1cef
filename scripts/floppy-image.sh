# shellcheck shell=bash
# Sourced by the demo and the round trip: the backup disk as a standard
# 1.44 MB FAT12 floppy image, made and read with mtools (no root, no loop
# mount), so that what a run produces is known to fit a real disk.

# floppy_image_write FOLDER IMAGE: a new image holding exactly the files and
# folders of FOLDER; prints the bytes left free. Fails, saying why and leaving
# no image, when FOLDER is missing, when the files do not fit (naming the
# bytes missing) or mtools cannot say whether they do, or when mtools refuses
# them for another reason (with its words). The same files give the same
# image: its serial number and every time on it come from SOURCE_DATE_EPOCH,
# else from the clone's commit. A subshell, so that its traps are its own.
floppy_image_write() (
    local folder=$1 image=$2 work="" entries=() free cluster need="" files folders out epoch
    # Made beside the image and renamed once complete, so that a failure or
    # an interrupt never leaves a half-written image under its name. Bash
    # runs the exit trap on INT and TERM, but not on a hang-up.
    trap 'rm -f "$work"' EXIT
    trap 'exit 129' HUP
    rm -f "$image"
    if [ ! -d "$folder" ]; then
        echo "no folder $folder to write to a floppy image" >&2
        return 1
    fi
    epoch=$(floppy_image_epoch) || return 1
    work=$(mktemp "$image.XXXXXX") || return 1
    # mtools takes SOURCE_DATE_EPOCH for the time of the run, the files' time
    # too (without -m), in local time. DOS took the serial number from the
    # time of formatting; mformat takes a random one.
    if ! out=$(floppy_image_at "$epoch" mformat -C -i "$work" -f 1440 -v KELBROOK -N "$(printf %08X "$epoch")" :: 2>&1); then
        echo "mformat could not make a floppy image: $out" >&2
        return 1
    fi
    # A probe that fails is told below, also under the callers' set -e.
    free=$(floppy_image_free "$work") || true
    cluster=$(floppy_image_cluster "$work") || true
    # Every file and folder takes whole clusters; checked before copying, as
    # mcopy stops at the first file that does not fit.
    [[ ! "$cluster" =~ ^[1-9][0-9]*$ ]] || read -r need files folders < <(floppy_image_need "$folder" "$cluster") || true
    if ! [[ "$free" =~ ^[0-9]+$ && "$need" =~ ^[0-9]+$ ]]; then
        echo "mtools could not tell whether $folder fits a 1.44 MB floppy (free: '$free' bytes, cluster: '$cluster' bytes)" >&2
        return 1
    fi
    if [ "$need" -gt "$free" ]; then
        echo "the disk does not fit a 1.44 MB floppy: $((need - free)) bytes missing. Its $files files" \
            "and $folders folders take $need bytes in whole clusters; a formatted floppy has $free free." >&2
        return 1
    fi
    mapfile -d '' entries < <(find "$folder" -mindepth 1 -maxdepth 1 -print0)
    if [ ${#entries[@]} -gt 0 ] && ! out=$(floppy_image_at "$epoch" mcopy -s -i "$work" "${entries[@]}" ::/ </dev/null 2>&1); then
        echo "mcopy could not copy $folder to the floppy image: ${out:-it said nothing (a name that clashes?)}" >&2
        return 1
    fi
    mv -f "$work" "$image"
    echo "$image: 1.44 MB FAT12, $(floppy_image_free "$image") bytes free"
)

# floppy_image_read IMAGE FOLDER: copies every file and folder of the image
# into FOLDER, which is made anew; an empty image gives an empty folder. Fails,
# with mtools' words and no FOLDER, when the image cannot be read.
floppy_image_read() {
    local image=$1 folder=$2 out
    [ -f "$image" ] || { echo "no floppy image $image" >&2; return 1; }
    rm -rf "$folder"
    if ! out=$(mdir -i "$image" :: 2>&1); then
        echo "cannot read the floppy image $image: $out" >&2
        return 1
    fi
    mkdir -p "$folder"
    # mcopy finds nothing to copy on an empty disk, and fails. -a: hidden
    # and system files are files too.
    if [ -n "$(mdir -a -b -i "$image" :: 2>/dev/null)" ] &&
        ! out=$(mcopy -s -m -n -i "$image" '::/*' "$folder/" </dev/null 2>&1); then
        echo "cannot copy the files of the floppy image $image: $out" >&2
        rm -rf "$folder"
        return 1
    fi
}

# The seconds that a new image's serial number and times come from, by the
# binaries' own rule: SOURCE_DATE_EPOCH, else the commit's time.
floppy_image_epoch() {
    local root epoch
    root=$(dirname "${BASH_SOURCE[0]}")/..
    epoch=$("$root/toolchain/source-date-epoch.sh" "$root") || return 1
    # A FAT time begins in 1980; a serial number has 32 bits.
    if [[ ! "$epoch" =~ ^[0-9]+$ ]] || [ "$epoch" -lt 315532800 ] || [ "$epoch" -ge 4294967296 ]; then
        echo "SOURCE_DATE_EPOCH=$epoch is no time that a floppy can hold" >&2
        return 1
    fi
    echo "$epoch"
}

floppy_image_at() { SOURCE_DATE_EPOCH=$1 TZ=UTC0 "${@:2}"; }

floppy_image_free() { mdir -i "$1" :: | sed -n 's/^ *\([0-9 ]*\) bytes free$/\1/p' | tr -d ' '; }

floppy_image_cluster() {
    minfo -i "$1" :: | awk '/^sector size:/ { s = $3 } /^cluster size:/ { c = $3 } END { print s * c }'
}

# floppy_image_need FOLDER CLUSTER: prints the bytes that the files and the
# folders below FOLDER take on the disk in whole clusters, then the number of
# files and of folders. A folder holds its `.` and `..` and an entry of 32
# bytes for each name; a name that is not 8.3 in one case takes one more
# entry for every 13 of its characters. The root folder has room of its own.
floppy_image_need() {
    find -L "$1" -mindepth 1 -printf '%y %s %P\n' | awk -v cluster="$2" '
        function clusters(bytes) { return int((bytes + cluster - 1) / cluster) }
        function short(part, most) {
            return length(part) <= most && (part ~ /^[A-Z0-9_~!#$%&@^(){}`-]*$/ || part ~ /^[a-z0-9_~!#$%&@^(){}`-]*$/)
        }
        function entries(name, dot) {
            dot = index(name, ".")
            if (dot == 0 && name != "" && short(name, 8)) return 1
            if (dot > 1 && short(substr(name, 1, dot - 1), 8) && short(substr(name, dot + 1), 3)) return 1
            return 1 + int((length(name) + 12) / 13)
        }
        {
            type = $1; size = $2; path = substr($0, length($1) + length($2) + 3)
            parent = path; sub(/\/?[^\/]*$/, "", parent)
            name = path; sub(/.*\//, "", name)
            if (parent != "") slots[parent] += entries(name)
            if (type == "f") { files++; data += clusters(size) }
            if (type == "d") { folders++; slots[path] += 2 }
        }
        END {
            for (d in slots) data += clusters(slots[d] * 32)
            print data * cluster, files + 0, folders + 0
        }'
}
