#!/usr/bin/env bats
# scripts/apt-sources.sh over a stand-in apt configuration in both formats.

setup() {
    . "$BATS_TEST_DIRNAME/../../scripts/apt-sources.sh"
    etc=$(mktemp -d "${TMPDIR:-/tmp}/apt-sources-test.XXXXXX")
    mkdir "$etc/sources.list.d"
    printf '%s\n' "# deb http://old.example/debian bookworm main" \
        "deb [ arch=amd64 signed-by=/k/m.gpg ] http://m.example/debian bookworm main contrib # ours" \
        "deb http://m.example/debian bullseye main" >"$etc/sources.list"
    echo "deb-src http://proxy.example/security bookworm-security main" >"$etc/sources.list.d/s.list"
    echo "deb http://elsewhere.example/debian bookworm main" >"$etc/sources.list.d/off.list.disabled"
    printf '%s\n' "Types: deb" "URIs: http://m.example/debian" "Suites: bookworm bookworm-updates" \
        "Components: main" "Signed-By: /k/m.gpg" "" "Types: deb deb-src" "Enabled: no" \
        "URIs: http://off.example/debian" "Suites: bookworm-updates" >"$etc/sources.list.d/m.sources"
}

teardown() { rm -rf "$etc"; }

@test "the release's entries in both formats with their keyrings; a clear error without one" {
    run release_source_list "$etc" bookworm
    [ "$output" = "deb-src [signed-by=/k/m.gpg] http://m.example/debian bookworm main contrib
deb-src http://proxy.example/security bookworm-security main
deb-src [signed-by=/k/m.gpg] http://m.example/debian bookworm main
deb-src [signed-by=/k/m.gpg] http://m.example/debian bookworm-updates main" ]
    run backports_source_line "$etc" bookworm
    [ "$output" = "deb [signed-by=/k/m.gpg] http://m.example/debian bookworm-backports main" ]
    for what in release_source_list backports_source_line; do
        run "$what" "$etc" trixie
        [ "$status" -ne 0 ]
        [[ "$output" == "No apt source of this machine serves trixie"* ]]
    done
}
