#!/usr/bin/env bash
# Usage: tests/scripts/run.sh [BUILD_DIR]
# The scripts' own tests (bats, this folder) and shellcheck at warning level
# over every shell script of the project; non-zero when either fails. Needs
# no Wine and no build; BUILD_DIR, when inside the clone, is not searched for
# scripts.
set -uo pipefail
# The physical path: find does not follow a start point that is a symbolic
# link, so a clone reached through one would hold no scripts.
root=$(cd "$(dirname "$0")/../.." && pwd -P)
build=$(realpath -m -- "${1:-$root/build}")
status=0

echo "== the scripts' tests (bats)"
bats "$root/tests/scripts" || status=1

# Every .sh and .bats file, and every file without an extension that starts
# as a shell script (.ci/run, the stand-ins); not what a build made.
shell_scripts() {
    find "$root" \( -name .git -o -path "$root/build" -o -path "$build" \) -prune -o -type f -print |
        while IFS= read -r file; do
            case $(basename "$file") in
                *.sh | *.bats) echo "$file" ;;
                *.*) ;;
                *) if head -n1 "$file" | grep -qE '^#!.*[/ ](ba|da)?sh( |$)'; then echo "$file"; fi ;;
            esac
        done | sort
}
mapfile -t scripts < <(shell_scripts)
echo "== shellcheck, warnings and errors, ${#scripts[@]} scripts"
if shellcheck --severity=warning --external-sources --source-path=SCRIPTDIR "${scripts[@]}"; then
    echo "shellcheck: clean"
else
    echo "shellcheck: see above"
    status=1
fi
exit "$status"
