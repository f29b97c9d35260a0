#!/usr/bin/env python3
"""Builds the About box clip: ideograms that fade one into the next.

Input: one 8-bit grey coverage image per ideogram (raw bytes, size x size,
255 = ink), in playing order. Output: an RLE8-compressed AVI. Only the
standard library is used, so regenerating the clip needs nothing but
python3 and whatever renders the glyphs.

Every blend of two glyphs lies on the straight line from the background
colour to the ink colour, so a 256-entry gradient palette holds every
frame exactly, and palette index 0 is the background.
"""

import argparse
import struct
import sys


def parse_colour(text):
    parts = [int(p) for p in text.split(",")]
    if len(parts) != 3 or not all(0 <= p <= 255 for p in parts):
        raise argparse.ArgumentTypeError("colour must be R,G,B with 0-255 values")
    return tuple(parts)


def gradient_palette(background, ink):
    palette = []
    for level in range(256):
        palette.append(tuple(round(b + (i - b) * level / 255) for b, i in zip(background, ink)))
    return palette


def frame_sequence(glyphs, hold, fade):
    """Coverage frames: each glyph held, then cross-faded into the next."""
    frames = []
    for index, glyph in enumerate(glyphs):
        following = glyphs[(index + 1) % len(glyphs)]
        frames.extend([glyph] * hold)
        for step in range(1, fade + 1):
            t = step / (fade + 1)
            frames.append(bytes(round((1 - t) * a + t * b) for a, b in zip(glyph, following)))
    return frames


def encode_pixels(row):
    """RLE8 for a run of pixels that must all be written."""
    out = bytearray()
    i = 0
    literal = bytearray()

    def flush_literal():
        nonlocal literal
        while literal:
            chunk = literal[:255]
            literal = literal[255:]
            if len(chunk) >= 3:
                out.extend((0, len(chunk)))
                out.extend(chunk)
                if len(chunk) % 2:
                    out.append(0)
            else:
                for value in chunk:
                    out.extend((1, value))

    while i < len(row):
        run = 1
        while i + run < len(row) and row[i + run] == row[i] and run < 255:
            run += 1
        if run >= 3:
            flush_literal()
            out.extend((run, row[i]))
        else:
            literal.extend(row[i:i + run])
        i += run
    flush_literal()
    return out


def encode_frame(previous, current, size):
    """One RLE8 frame that repaints only what differs from `previous`.

    `previous` None means a key frame: every pixel is written. Rows are
    stored bottom-up, so row 0 of the stream is the bottom picture row.
    """
    out = bytearray()
    x, line = 0, 0  # decoder position, line counted from the bottom
    gap_worth_skipping = 4  # a delta escape costs four bytes

    for stream_line in range(size):
        top_down_row = size - 1 - stream_line
        start = top_down_row * size
        row = current[start:start + size]
        if previous is None:
            spans = [(0, size)]
        else:
            old = previous[start:start + size]
            spans = []
            col = 0
            while col < size:
                if row[col] == old[col]:
                    col += 1
                    continue
                end = col
                while end < size and (row[end] != old[end] or
                                      any(row[k] != old[k] for k in range(end, min(end + gap_worth_skipping, size)))):
                    end += 1
                spans.append((col, end))
                col = end
        for begin, end in spans:
            if line < stream_line and begin < x:
                out.extend((0, 0))  # end of line: back to column 0 of the next line
                x, line = 0, line + 1
            while line < stream_line or x < begin:
                dx = min(begin - x, 255)
                dy = min(stream_line - line, 255)
                out.extend((0, 2, dx, dy))
                x, line = x + dx, line + dy
            out.extend(encode_pixels(row[begin:end]))
            x = end
    out.extend((0, 1))  # end of bitmap
    raw_size = ((size * 8 + 31) // 32) * 4 * size
    if len(out) == raw_size:
        # A chunk of exactly the raw size is read as an uncompressed frame
        # by common decoders; one harmless extra end-of-bitmap avoids that.
        out.extend((0, 1))
    return bytes(out)


def chunk(fourcc, payload):
    data = fourcc + struct.pack("<I", len(payload)) + payload
    return data + (b"\0" if len(payload) % 2 else b"")


def riff_list(kind, fourcc, payload):
    return kind + struct.pack("<I", len(payload) + 4) + fourcc + payload


def write_avi(path, size, fps, palette, encoded):
    largest = max(len(e) for e in encoded)
    avih = struct.pack("<10I4I", 1000000 // fps, largest * fps, 0, 0x10, len(encoded), 0, 1,
                       largest, size, size, 0, 0, 0, 0)
    strh = b"vids" + b"mrle" + struct.pack("<IHHIIIIIIII4h", 0, 0, 0, 0, 1, fps, 0, len(encoded),
                                             largest, 0xFFFFFFFF, 0, 0, 0, size, size)
    strf = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 8, 1, largest, 0, 0, 256, 0)
    strf += b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) +
                     riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    movi_body = b""
    index = b""
    for number, data in enumerate(encoded):
        offset = 4 + len(movi_body)  # from the 'movi' tag
        index += b"00dc" + struct.pack("<III", 0x10 if number == 0 else 0, offset, len(data))
        movi_body += chunk(b"00dc", data)
    body = hdrl + riff_list(b"LIST", b"movi", movi_body) + chunk(b"idx1", index)
    with open(path, "wb") as out:
        out.write(riff_list(b"RIFF", b"AVI ", body))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--size", type=int, required=True, help="side of the square picture in pixels")
    parser.add_argument("--fps", type=int, default=10)
    parser.add_argument("--hold", type=int, default=4, help="frames each ideogram stays still")
    parser.add_argument("--fade", type=int, default=4, help="frames of each cross-fade")
    parser.add_argument("--background", type=parse_colour, default=(255, 255, 192))
    parser.add_argument("--ink", type=parse_colour, default=(0, 0, 255))
    parser.add_argument("--output", required=True)
    parser.add_argument("glyphs", nargs="+", help="raw 8-bit coverage images, in playing order")
    args = parser.parse_args()

    glyphs = []
    for name in args.glyphs:
        with open(name, "rb") as f:
            data = f.read()
        if len(data) != args.size * args.size:
            sys.exit(f"{name}: {len(data)} bytes, expected {args.size * args.size}")
        glyphs.append(data)

    frames = frame_sequence(glyphs, args.hold, args.fade)
    encoded = []
    previous = None
    for frame in frames:
        encoded.append(encode_frame(previous, frame, args.size))
        previous = frame
    write_avi(args.output, args.size, args.fps, gradient_palette(args.background, args.ink), encoded)
    print(f"{args.output}: {len(frames)} frames, {args.size}x{args.size}, {args.fps} fps")


if __name__ == "__main__":
    main()
