#!/usr/bin/env bats
# scripts/apt-sources.sh over a stand-in apt configuration: the entries that
# serve the release, in both formats, and the error when none does.

setup() {
    . "$BATS_TEST_DIRNAME/../../scripts/apt-sources.sh"
    etc=$(mktemp -d "${TMPDIR:-/tmp}/apt-sources-test.XXXXXX")
    mkdir -p "$etc/sources.list.d"
    cat >"$etc/sources.list" <<'END'
# deb http://old.example/debian bookworm main
deb [ arch=amd64,i386 signed-by=/k/mirror.gpg ] http://mirror.example/debian bookworm main contrib # ours
deb http://mirror.example/debian bullseye main
END
    echo "deb-src http://proxy.example/security bookworm-security main" >"$etc/sources.list.d/security.list"
    echo "deb http://elsewhere.example/debian bookworm main" >"$etc/sources.list.d/off.list.disabled"
    cat >"$etc/sources.list.d/mirror.sources" <<'END'
Types: deb
URIs: http://mirror.example/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /k/mirror.gpg

# another stanza, switched off
Types: deb deb-src
Enabled: no
URIs: http://off.example/debian
Suites: bookworm-updates
Components: main
END
}

teardown() { rm -rf "$etc"; }

@test "the release's entries in both formats, as deb-src lines with their keyrings" {
    run release_source_list "$etc" bookworm
    [ "$status" -eq 0 ]
    [ "$output" = "deb-src [signed-by=/k/mirror.gpg] http://mirror.example/debian bookworm main contrib
deb-src http://proxy.example/security bookworm-security main
deb-src [signed-by=/k/mirror.gpg] http://mirror.example/debian bookworm main
deb-src [signed-by=/k/mirror.gpg] http://mirror.example/debian bookworm-updates main" ]
    run backports_source_line "$etc" bookworm
    [ "$output" = "deb [signed-by=/k/mirror.gpg] http://mirror.example/debian bookworm-backports main" ]
    has_suite "$etc" bookworm-updates
    run has_suite "$etc" bookworm-backports
    [ "$status" -ne 0 ]
}

@test "no entry for the release: a clear error, for sources and backports alike" {
    for what in release_source_list backports_source_line; do
        run "$what" "$etc" trixie
        [ "$status" -ne 0 ]
        [[ "$output" == "No apt source of this machine serves trixie"*"sources.list.d/*.list or *.sources"* ]]
    done
}
