#!/usr/bin/env bats
# floppy-image.sh's failures, on small real images. A 1.44 MB floppy has
# 2847 free clusters of 512 bytes.

setup() {
    # shellcheck source=../../scripts/floppy-image.sh
    . "$BATS_TEST_DIRNAME/../../scripts/floppy-image.sh"
    work=$BATS_TEST_TMPDIR
    disk=$work/disk
    image=$work/disk.img
    mkdir -p "$disk"
}

no_image_left() {
    find "$work" -maxdepth 1 -name 'disk.img*' | grep . && return 1
    return 0
}

@test "a disk one cluster too big is refused with the bytes missing; one that fills the floppy is written" {
    # 2845 clusters, a folder of one, and a file of one in it: all 2847.
    head -c $((2845 * 512)) /dev/zero >"$disk/BIG.BIN"
    mkdir "$disk/SUB"
    printf 'ab' >"$disk/SUB/TWO.TXT"
    run floppy_image_write "$disk" "$image"
    echo "$output"
    [ "$status" -eq 0 ]
    [[ "$output" == *", 0 bytes free" ]]
    # One byte more is a cluster more.
    printf 'c' >"$disk/ONE.TXT"
    run floppy_image_write "$disk" "$image"
    echo "$output"
    [ "$status" -ne 0 ]
    [[ "$output" == *"does not fit a 1.44 MB floppy: 512 bytes missing"* ]]
    no_image_left
    # Five long names of 15 characters, 3 entries each, take a folder's second cluster.
    rm "$disk/ONE.TXT" "$disk/SUB/TWO.TXT"
    head -c 512 /dev/zero >>"$disk/BIG.BIN"
    touch "$disk"/SUB/long-name-{1..5}.txt
    run floppy_image_write "$disk" "$image"
    [[ "$output" == *"does not fit a 1.44 MB floppy: 512 bytes missing"* ]]
}

@test "mcopy's own failure is reported in its words, not as a disk that does not fit" {
    mkdir "$disk/SUB"
    echo x >"$disk/SUB/OK.TXT"
    ln -s "$work/nowhere" "$disk/SUB/LINK"
    run floppy_image_write "$disk" "$image"
    echo "$output"
    [ "$status" -ne 0 ]
    [[ "$output" == *"LINK: No such file or directory"* ]]
    [[ "$output" != *"does not fit"* ]]
    no_image_left
}

@test "a missing folder, or a floppy whose room mtools cannot tell, gives no image and an error" {
    run floppy_image_write "$work/nowhere" "$image"
    echo "$output"
    [ "$status" -ne 0 ]
    [[ "$output" == *"no folder $work/nowhere"* ]]
    no_image_left
    minfo() { return 1; }
    run floppy_image_write "$disk" "$image"
    [[ "$output" == *"could not tell whether $disk fits"* ]]
    no_image_left
}

@test "a corrupt image is an error, and an empty one gives an empty folder" {
    head -c 1474560 /dev/zero >"$image"
    run floppy_image_read "$image" "$work/out"
    echo "$output"
    [ "$status" -ne 0 ]
    [[ "$output" == *"cannot read the floppy image $image"* ]]
    [ ! -e "$work/out" ]
    floppy_image_write "$disk" "$image"
    floppy_image_read "$image" "$work/out"
    [ -d "$work/out" ]
    [ -z "$(ls -A "$work/out")" ]
    mcopy -i "$image" "$BATS_TEST_FILENAME" ::/HIDDEN.TXT
    mattrib -i "$image" +h +s ::/HIDDEN.TXT
    floppy_image_read "$image" "$work/out"
    [ -f "$work/out/HIDDEN.TXT" ]
}

@test "the same files give the same image: serial number and times from the commit, or SOURCE_DATE_EPOCH" {
    mkdir "$disk/ENF"
    echo x >"$disk/ENF/PRODUCT.INF"
    echo y >"$disk/KELBROOK.EXE"
    unset SOURCE_DATE_EPOCH
    floppy_image_write "$disk" "$image"
    # Another second of the clock (a FAT time counts in two), newer files.
    sleep 2
    touch "$disk/KELBROOK.EXE" "$disk/ENF"
    floppy_image_write "$disk" "$work/again.img"
    cmp "$image" "$work/again.img"
    commit=$(git -C "$BATS_TEST_DIRNAME" log -1 --format=%ct)
    mdir -i "$image" :: | grep -q "Serial Number is $(printf %04X-%04X $((commit >> 16)) $((commit & 65535)))"
    # In UTC, whatever the zone of the machine.
    TZ=EST5 SOURCE_DATE_EPOCH=1600000000 floppy_image_write "$disk" "$image"
    mdir -i "$image" ::/ENF | grep -q '^PRODUCT  INF .* 2020-09-13  12:26'
}
