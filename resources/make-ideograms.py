#!/usr/bin/python3
"""Regenerate the thirteen ideogram pictures ideograms/101.svg ... 113.svg.

Blue glyph on a black square, in the manner of the old 32 x 32 icons, but as
vectors so they stay crisp at any size. The outlines come from AR PL UKai
(Debian package fonts-arphic-ukai, Arphic Public License); fontTools comes from
python3-fonttools. The output is committed, so a build never needs the font.

Usage: resources/make-ideograms.py [FONT_FILE]
"""

import os
import sys

from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.roundingPen import RoundingPen
from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.pens.transformPen import TransformPen
from fontTools.ttLib import TTCollection, TTFont

DEFAULT_FONT = "/usr/share/fonts/truetype/arphic/ukai.ttc"

# Identifier -> ideogram, in the program's numbering.
IDEOGRAMS = {
    101: "零", 102: "一", 103: "二", 104: "三", 105: "四", 106: "五",
    107: "六", 108: "七", 109: "八", 110: "九", 111: "十", 112: "百",
    113: "千",
}

VIEW = 512              # user units across the square; integers are then fine enough
GLYPH_SHARE = 28 / 32   # the tallest or widest glyph fills this much: a 2 px margin at 32 px
INK = "#2850FF"         # bright blue, a touch lighter than pure blue so thin strokes read on black
GROUND = "#000000"
WEIGHT = 8              # an outline in the ink colour thickens the thin brush strokes at small sizes


def open_font(path):
    if path.lower().endswith(".ttc"):
        return TTCollection(path).fonts[0]
    return TTFont(path)


def bounds(glyph_set, name):
    pen = BoundsPen(glyph_set)
    glyph_set[name].draw(pen)
    return pen.bounds


def main():
    font = open_font(sys.argv[1] if len(sys.argv) > 1 else DEFAULT_FONT)
    glyph_set = font.getGlyphSet()
    cmap = font.getBestCmap()
    names = {ident: cmap[ord(char)] for ident, char in IDEOGRAMS.items()}

    # One scale and one offset for all thirteen, taken from the union of their
    # outlines, so every picture shares size and baseline and the column is even.
    boxes = [bounds(glyph_set, name) for name in names.values()]
    x_min = min(b[0] for b in boxes)
    y_min = min(b[1] for b in boxes)
    x_max = max(b[2] for b in boxes)
    y_max = max(b[3] for b in boxes)
    scale = VIEW * GLYPH_SHARE / max(x_max - x_min, y_max - y_min)
    x_centre = (x_min + x_max) / 2
    y_centre = (y_min + y_max) / 2
    # Font units point up, SVG units point down.
    transform = (scale, 0, 0, -scale,
                 VIEW / 2 - x_centre * scale, VIEW / 2 + y_centre * scale)

    out_dir = os.path.join(os.path.dirname(os.path.abspath(__file__)), "ideograms")
    os.makedirs(out_dir, exist_ok=True)
    for ident, name in names.items():
        svg_pen = SVGPathPen(glyph_set)
        glyph_set[name].draw(TransformPen(RoundingPen(svg_pen), transform))
        with open(os.path.join(out_dir, f"{ident}.svg"), "w", encoding="utf-8") as out:
            out.write(
                '<?xml version="1.0" encoding="UTF-8"?>\n'
                f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
                f'width="32" height="32" viewBox="0 0 {VIEW} {VIEW}">\n'
                f'<title>{IDEOGRAMS[ident]}</title>\n'
                f'<rect width="{VIEW}" height="{VIEW}" fill="{GROUND}"/>\n'
                f'<path fill="{INK}" stroke="{INK}" stroke-width="{WEIGHT}" '
                f'stroke-linejoin="round" d="{svg_pen.getCommands()}"/>\n'
                '</svg>\n')


if __name__ == "__main__":
    main()
