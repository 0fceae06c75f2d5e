"""The spin button's default glyphs: 6 x 6 monochrome arrows, up and down,
black on white. White, the colour of the bottom-left pixel, is the glyph's
transparent colour: the button face shows through it."""
import os
import struct

UP = [
    "......",
    "..#...",
    ".###..",
    "#####.",
    "......",
    "......",
]
DOWN = [
    "......",
    "......",
    "#####.",
    ".###..",
    "..#...",
    "......",
]


def write_bmp1(rows, path):
    """Bottom-up BMP with 1 bit per pixel: palette black, white; '#' is black."""
    width, height = len(rows[0]), len(rows)
    stride = ((width + 31) // 32) * 4
    data = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, ch in enumerate(row):
            if ch != "#":
                bits[x // 8] |= 0x80 >> (x % 8)
        data += bits
    offset = 14 + 40 + 8
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(data), 2835, 2835, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    with open(path, "wb") as f:
        f.write(header + info + palette + data)


def draw(out):
    write_bmp1(UP, os.path.join(out, "rxspinup.bmp"))
    write_bmp1(DOWN, os.path.join(out, "rxspindown.bmp"))
