#!/usr/bin/env python3
"""Writes the clips `make bench` plays beside the program, as a new user might
drop them in: legal RLE8 AVI files of any length and size within the reader's
limits, each frame a key frame (a bar sweeping across, so that no two frames
look alike even scaled down). Standard library only.

Usage: make_bench_clips.py DIRECTORY   writes DIRECTORY/<name>/numoria.avi
for every clip in CLIPS and prints one line per clip: name, path, frames.
"""

import os
import struct
import sys

# name: (width, height, frames, frames a second)
CLIPS = {
    "320x240-600f-25fps": (320, 240, 600, 25),
    "640x480-250f-25fps": (640, 480, 250, 25),
    "1000x1000-15f-100fps": (1000, 1000, 15, 100),
}


def runs(line):
    """RLE8 runs of 1 to 255 equal pixels for one line of palette indices."""
    out = bytearray()
    start = 0
    while start < len(line):
        end = start + 1
        while end < len(line) and end - start < 255 and line[end] == line[start]:
            end += 1
        out += bytes((end - start, line[start]))
        start = end
    return out


def frame(width, height, number, count):
    """A key frame: a bar at a place of its own on a plain ground, every line
    alike, each ended by an end-of-line escape, the picture by an end of bitmap."""
    bar = number * width // count
    line = [40] * width
    for x in range(bar, min(bar + max(width // 16, 2), width)):
        line[x] = 200
    return (runs(line) + b"\0\0") * height + b"\0\1"


def chunk(tag, payload):
    return tag + struct.pack("<I", len(payload)) + payload + (b"\0" if len(payload) % 2 else b"")


def riff_list(kind, tag, payload):
    return kind + struct.pack("<I", len(payload) + 4) + tag + payload


def write_clip(path, width, height, count, fps):
    frames = [frame(width, height, number, count) for number in range(count)]
    largest = max(len(f) for f in frames)
    avih = struct.pack("<14I", 1000000 // fps, largest * fps, 0, 0x10, count, 0, 1, largest, width, height, 0, 0, 0, 0)
    strh = b"vids" + b"mrle" + struct.pack("<IHHIIIIIIII4h", 0, 0, 0, 0, 1, fps, 0, count, largest,
                                             0xFFFFFFFF, 0, 0, 0, width, height)
    palette = b"".join(bytes((level, level, 255 - level, 0)) for level in range(256))
    strf = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, largest, 0, 0, 256, 0) + palette
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) +
                     riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    movie = b"".join(chunk(b"00dc", f) for f in frames)
    with open(path, "wb") as out:
        out.write(riff_list(b"RIFF", b"AVI ", hdrl + riff_list(b"LIST", b"movi", movie)))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    for name, (width, height, count, fps) in CLIPS.items():
        directory = os.path.join(sys.argv[1], name)
        os.makedirs(directory, exist_ok=True)
        path = os.path.join(directory, "numoria.avi")
        write_clip(path, width, height, count, fps)
        print(f"{name}\t{path}\t{count}")


if __name__ == "__main__":
    main()
