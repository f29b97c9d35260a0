#!/bin/sh
# Regenerate the desktop icons in packaging/icons/hicolor from the 零 picture
# (resources/ideograms/101.svg): PNGs at the usual theme sizes plus the SVG,
# and the window icon's raw pixels in resources/window-icon (32-bit ARGB,
# little-endian: bytes B, G, R, A). Needs rsvg-convert (librsvg2-bin) and
# ImageMagick.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
source_svg="$here/ideograms/101.svg"
theme="$here/../packaging/icons/hicolor"
name=org.example.Numoria

if ! command -v rsvg-convert >/dev/null 2>&1; then
    apt-get install -y librsvg2-bin
fi

for size in 16 24 32 48 64 128 256; do
    dir="$theme/${size}x${size}/apps"
    mkdir -p "$dir"
    rsvg-convert -w "$size" -h "$size" "$source_svg" -o "$dir/$name.png"
done

mkdir -p "$theme/scalable/apps"
cp "$source_svg" "$theme/scalable/apps/$name.svg"

for size in 16 32 48 64; do
    convert "$theme/${size}x${size}/apps/$name.png" -depth 8 "bgra:$here/window-icon/$size.argb32"
done
