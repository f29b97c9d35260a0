#!/bin/sh
# Regenerates resources/numoria.avi, the clip shown by the main window and the
# About box: the ideograms 零 to 千 in blue on the window's light yellow, each
# fading into the next, as an RLE8 AVI.
#
# The clip is 82 x 82 pixels: twice the 41-pixel area it is shown in, so it
# stays sharp on screens with a device pixel ratio of 2.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
output="$here/../numoria.avi"
font=/usr/share/fonts/truetype/arphic/ukai.ttc
size=82
pointsize=64

need=""
command -v python3 >/dev/null 2>&1 || need="$need python3"
command -v convert >/dev/null 2>&1 || need="$need imagemagick"
[ -f "$font" ] || need="$need fonts-arphic-ukai"
if [ -n "$need" ]; then
    echo "Installing:$need"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    # shellcheck disable=SC2086
    apt-get install -y -q --no-install-recommends $need
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

glyphs=""
number=0
for ideogram in 零 一 二 三 四 五 六 七 八 九 十 百 千; do
    number=$((number + 1))
    file="$work/$(printf '%02d' "$number").gray"
    convert -size "${size}x${size}" xc:black -font "$font" -pointsize "$pointsize" \
        -fill white -gravity center -annotate +0+0 "$ideogram" -depth 8 "gray:$file"
    glyphs="$glyphs $file"
done

# shellcheck disable=SC2086
python3 "$here/make_clip.py" --size "$size" --fps 10 --hold 4 --fade 4 \
    --background 255,255,192 --ink 0,0,255 --output "$output" $glyphs
