# Sourced by the demo and the round trip: the backup disk as a standard
# 1.44 MB FAT12 floppy image, made and read with mtools (no root, no loop
# mount), so that what a run produces is known to fit a real disk.

# floppy_image_write FOLDER IMAGE: a new image holding exactly the files and
# folders of FOLDER; prints the bytes left free. Fails, saying so and leaving
# no image, when they do not fit.
floppy_image_write() {
    local folder=$1 image=$2 entries=() entry free
    for entry in "$folder"/* "$folder"/.[!.]*; do
        if [ -e "$entry" ]; then entries+=("$entry"); fi
    done
    rm -f "$image"
    mformat -C -i "$image" -f 1440 -v KELBROOK :: || return 1
    if [ ${#entries[@]} -gt 0 ] && ! mcopy -s -m -i "$image" "${entries[@]}" ::/ </dev/null; then
        echo "the disk does not fit a 1.44 MB floppy: $(du -sb "$folder" | cut -f1) bytes in" \
            "$(find "$folder" -type f | wc -l) files" >&2
        rm -f "$image"
        return 1
    fi
    free=$(mdir -i "$image" :: | sed -n 's/^ *\([0-9 ]*\) bytes free$/\1/p' | tr -d ' ')
    echo "$image: 1.44 MB FAT12, $free bytes free"
}

# floppy_image_read IMAGE FOLDER: copies every file and folder of the image
# into FOLDER, which is made anew; an empty image gives an empty folder.
floppy_image_read() {
    local image=$1 folder=$2
    [ -f "$image" ] || { echo "no floppy image $image" >&2; return 1; }
    rm -rf "$folder"
    mkdir -p "$folder"
    # On an empty disk mdir finds nothing to list, and mcopy fails.
    if mdir -/ -b -i "$image" :: >/dev/null 2>&1; then
        mcopy -s -m -n -i "$image" '::/*' "$folder/" </dev/null
    fi
}
