#!/bin/sh
# Regenerate resources/logo.png: the 214 x 126, 256-colour logo of the maker's
# club Ordalis shown in the About box on its light yellow ground.
# Needs ImageMagick (imagemagick), DejaVu fonts (fonts-dejavu-core) and
# rsvg-convert (librsvg2-bin) for the ideogram tile.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
fonts=/usr/share/fonts/truetype/dejavu
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

if ! command -v rsvg-convert >/dev/null 2>&1; then
    apt-get install -y librsvg2-bin
fi

# The 零 picture on a gold-framed black tile: the program's own motif.
rsvg-convert -w 52 -h 52 "$here/ideograms/101.svg" -o "$tmp/tile.png"

ground='#FFFFC0'   # the About box's background, so the logo sits flush in it
navy='#1B2A6B'
gold='#C8962E'
blue='#2850FF'

convert -size 214x126 "xc:$ground" \
    -fill none -stroke "$navy" -strokewidth 3 -draw 'roundrectangle 2,2 211,123 10,10' \
    -stroke "$gold" -strokewidth 1 -draw 'roundrectangle 7,7 206,118 7,7' \
    -stroke none -fill "$gold" -draw 'rectangle 16,35 75,94' \
    -fill black -draw 'rectangle 18,37 73,92' \
    "$tmp/tile.png" -geometry +20+39 -composite \
    -font "$fonts/DejaVuSerif-Bold.ttf" -pointsize 29 -fill "$navy" \
    -annotate +86+64 'Ordalis' \
    -stroke none -fill "$blue" -draw 'rectangle 87,72 196,73' \
    -fill "$gold" -draw 'rectangle 87,75 196,75' \
    -font "$fonts/DejaVuSans-Bold.ttf" -pointsize 9 -fill "$navy" -kerning 1.6 \
    -annotate +88+89 "MAKER'S CLUB" \
    -strip -colors 256 -define png:exclude-chunks=date,time \
    "PNG8:$here/logo.png"
