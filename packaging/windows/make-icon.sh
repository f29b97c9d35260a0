#!/bin/sh
# Regenerate packaging/windows/numoria.ico, the program file's own icon, from
# the 零 picture (resources/ideograms/101.svg): one image per size Windows
# asks for, from the list of a small file to the 256 px tile.
# Needs rsvg-convert (librsvg2-bin) and convert (imagemagick).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
source_svg="$here/../../resources/ideograms/101.svg"

if ! command -v rsvg-convert >/dev/null 2>&1 || ! command -v convert >/dev/null 2>&1; then
    apt-get install -y librsvg2-bin imagemagick
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pictures=""
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$source_svg" -o "$work/$size.png"
    pictures="$pictures $work/$size.png"
done
# shellcheck disable=SC2086
convert $pictures "$here/numoria.ico"
