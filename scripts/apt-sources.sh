# shellcheck shell=bash
# Sourced, not run: the package locations that the machine's own apt
# configuration names, so that the set-up downloads from the mirror or proxy
# that `apt-get install` uses here, and the repository names no host.

# apt_entries DIR: prints the enabled entries of the apt configuration in DIR
# (sources.list, and the .list and .sources files of sources.list.d, as apt
# reads them), one line per type, location and suite:
#   TYPE URI SUITE KEYRING COMPONENT...
# KEYRING is the entry's signed-by, or - when it names none (apt then trusts
# the machine's default keys) or holds the key itself.
apt_entries() {
    local dir=$1 file
    for file in "$dir/sources.list" "$dir"/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        awk '
            { sub(/#.*/, "") }
            $1 == "deb" || $1 == "deb-src" {
                type = $1; sub(/^[ \t]*deb(-src)?[ \t]+/, "")
                keyring = "-"
                if (match($0, /^\[[^]]*\]/)) {
                    n = split(substr($0, 2, RLENGTH - 2), option, /[ \t]+/)
                    for (i = 1; i <= n; i++)
                        if (option[i] ~ /^signed-by=/) keyring = substr(option[i], 11)
                    $0 = substr($0, RLENGTH + 1)
                }
                if (NF < 2) next
                line = type " " $1 " " $2 " " keyring
                for (i = 3; i <= NF; i++) line = line " " $i
                print line
            }' "$file"
    done
    for file in "$dir"/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        # deb822 stanzas; a line that starts with a blank continues a field.
        awk '
            function flush(   t, u, s, i, j, k, line) {
                if (tolower(field["enabled"]) != "no" && field["types"] != "")
                    for (i = 1; i <= split(field["types"], t, " "); i++)
                        for (j = 1; j <= split(field["uris"], u, " "); j++)
                            for (k = 1; k <= split(field["suites"], s, " "); k++) {
                                line = t[i] " " u[j] " " s[k] " " keyring
                                if (field["components"] != "") line = line " " field["components"]
                                print line
                            }
                split("", field); keyring = "-"; key = ""
            }
            BEGIN { keyring = "-" }
            /^[ \t]*#/ { next }
            /^[ \t]*$/ { flush(); next }
            # A key written out in the entry: the default keys of apt are used instead.
            /^[ \t]/ { if (key == "signed-by") keyring = "-"; else field[key] = field[key] " " $1; next }
            {
                key = tolower(substr($0, 1, index($0, ":") - 1))
                value = substr($0, index($0, ":") + 1)
                gsub(/^[ \t]+|[ \t]+$/, "", value); gsub(/[ \t]+/, " ", value)
                field[key] = value
                if (key == "signed-by") { keyring = value; gsub(/ /, ",", keyring) }
                if (keyring == "") keyring = "-"
            }
            END { flush() }' "$file"
    done
}

# release_source_list DIR CODENAME: the source lines (deb-src) for the
# release, its updates and its security suite, from the entries of either
# type that the configuration in DIR has for them. Fails, saying what is
# missing, when none serves the release itself.
release_source_list() {
    local dir=$1 codename=$2
    apt_entries "$dir" | awk -v release="$codename" '
        $3 == release || $3 == release "-updates" || $3 == release "-security" {
            line = "deb-src " ($4 == "-" ? "" : "[signed-by=" $4 "] ") $2 " " $3
            for (i = 5; i <= NF; i++) line = line " " $i
            if (!(line in seen)) print line
            seen[line] = 1
            found = found || $3 == release
        }
        END { exit !found }' || {
        no_release_entry "$dir" "$codename"
        return 1
    }
}

# backports_source_line DIR CODENAME: the line that adds CODENAME-backports
# from the archive that serves the release in DIR's configuration.
backports_source_line() {
    local dir=$1 codename=$2
    apt_entries "$dir" | awk -v release="$codename" '
        $1 == "deb" && $3 == release {
            print "deb " ($4 == "-" ? "" : "[signed-by=" $4 "] ") $2 " " release "-backports main"
            found = 1
            exit
        }
        END { exit !found }' || {
        no_release_entry "$dir" "$codename"
        return 1
    }
}

# has_suite DIR SUITE: whether DIR's configuration installs from SUITE.
has_suite() {
    apt_entries "$1" | awk -v suite="$2" '$1 == "deb" && $3 == suite { found = 1 } END { exit !found }'
}

no_release_entry() {
    echo "No apt source of this machine serves $2: none of $1/sources.list," \
        "$1/sources.list.d/*.list or *.sources has an entry (deb or deb-src) for the suite $2." \
        "Add your mirror's entry for $2, the one apt-get install should use, and run this again." >&2
}
