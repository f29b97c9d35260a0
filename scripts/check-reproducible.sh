#!/bin/sh
# Builds the packages twice, from two fresh clones of the last commit in
# folders of different names, one after the other, under different umasks
# and time zones, and checks that dist/ holds the same bytes both times;
# diffoscope says what differs when not. Only what is committed is checked.
# Usage: check-reproducible.sh [TARGET...]   the make targets that fill dist/
#                                            (default: package windows)
set -eu
source=$(cd "$(dirname "$0")/.." && pwd)
targets=${*:-package windows}
commit=$(git -C "$source" rev-parse HEAD)
"$source/scripts/install-deps.sh" package

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# make windows reads Qt for mingw from ../shared beside the tree.
ln -s "$(cd "$source/.." && pwd)/shared" "$work/shared"

# Usage: build FOLDER UMASK TZ
build() {
    clone=$work/$1
    git clone -q --no-checkout "$source" "$clone"
    git -C "$clone" checkout -q --detach "$commit"
    started=$(date +%s)
    # ccache hashes paths inside the clone as relative ones, so the second
    # clone compiles nothing the first one did.
    launcher=$(command -v ccache || true)
    # shellcheck disable=SC2086
    if ! (umask "$2" && cd "$clone" && TZ=$3 CCACHE_BASEDIR="$clone" CMAKE_CXX_COMPILER_LAUNCHER="$launcher" \
        make $targets) >"$clone.log" 2>&1; then
        tail -n 40 "$clone.log" >&2
        echo "check-reproducible: make $targets failed in $clone" >&2
        exit 1
    fi
    echo "make $targets in $clone took $(($(date +%s) - started)) s"
}
build one 022 UTC0
build clone-number-two 002 XYZ-13

status=0
files=$(cd "$work/one/dist" && ls)
[ -n "$files" ] || { echo "check-reproducible: make $targets left dist/ empty" >&2; exit 1; }
if [ "$files" != "$(cd "$work/clone-number-two/dist" && ls)" ]; then
    echo "check-reproducible: the two dist/ folders hold different files" >&2
    status=1
fi
for file in $files; do
    one=$work/one/dist/$file two=$work/clone-number-two/dist/$file
    if cmp -s "$one" "$two"; then
        echo "same: $(cd "$work/one/dist" && sha256sum "$file")"
    else
        echo "DIFFERENT: $file" >&2
        # Disassembling every DLL would take many minutes; headers and
        # archive listings name the cause.
        diffoscope --timeout 120 --exclude-command '^objdump.*(-d|--disassemble)' --text - \
            "$one" "$two" 2>&1 | head -n 200 >&2 || true
        status=1
    fi
done
exit $status
