"""The position slider's pictures: its default thumb and ruler images (4 bits
per pixel, hard-edged, magenta background drawn transparent), the player's
own thumb (8 bits per pixel, two 33-pixel states, a ribbed metal knob on the
player panel's grey, which is the transparent colour), and the hand and drag
cursors."""
import os
import struct

from raster import Canvas, write_bmp_indexed

KEY = (255, 0, 255)           # transparent colour of the default images
PANEL = (160, 160, 164)       # the player panel's grey: the player thumb's background


def _palette(canvas, limit):
    colours = sorted({c for row in canvas.px for c in row})
    if len(colours) > limit:
        raise ValueError("%d colours do not fit a %d-colour bitmap" % (len(colours), limit))
    return colours


def write_bmp_exact(canvas, path, bits):
    """A bottom-up BMP with 4 or 8 bits per pixel and an exact palette."""
    write_bmp_indexed(canvas, path, bits, _palette(canvas, 1 << bits))


def paint_rows(canvas, x0, y0, rows, colours):
    """Pixel art: each character of rows is a key of colours ('.' leaves the pixel)."""
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            if ch in colours:
                canvas.put(x0 + i, y0 + j, colours[ch])


# Dark metal: outline, shadow, body, sheen, highlight.
METAL = {"o": (22, 23, 27), "s": (58, 61, 68), "b": (96, 100, 110), "m": (134, 139, 150),
         "h": (196, 201, 210), "g": (10, 10, 12)}
METAL_DOWN = {"o": (14, 15, 18), "s": (40, 42, 48), "b": (66, 70, 78), "m": (92, 96, 106),
              "h": (140, 145, 154), "g": (10, 10, 12)}

H_THUMB = [  # 9 x 17: a pointer with a ribbed grip
    ".ooooooo.",
    "ohhhhhhmo",
    "ohmmmmmso",
    "ohbbbbbso",
    "ohbsbsbso",
    "ohbsbsbso",
    "ohbsbsbso",
    "ohbsbsbso",
    "ohbsbsbso",
    "ohbbbbbso",
    "ohbbbbbso",
    "oohbbbsoo",
    ".oohbsoo.",
    "..oohoo..",
    "...ooo...",
    "....o....",
    ".........",
]

V_THUMB = [  # 19 x 9: the same pointer turned to point left
    "......ooooooooooo..",
    "....oohhhhhhhhhhhmo",
    "..oohhbbbbbbbbbbbso",
    ".oohbbbssssssbbbbso",
    "oohbbbbbbbbbbbbbbso",
    ".oosbbbssssssbbbbso",
    "..oossbbbbbbbbbbbso",
    "....oosssssssssssso",
    "......ooooooooooo..",
]

GROOVE = {"o": (20, 21, 25), "d": (8, 8, 10), "c": (34, 36, 42), "l": (112, 118, 128)}

H_RULER = [  # 10 x 8: a sunken channel with a lit lower lip
    "..........",
    "..........",
    ".oooooooo.",
    "oddddddddo",
    "occcccccco",
    ".llllllll.",
    "..........",
    "..........",
]


def default_images(out):
    htb = Canvas(18, 17, KEY)
    paint_rows(htb, 0, 0, H_THUMB, METAL)
    paint_rows(htb, 9, 0, H_THUMB, METAL_DOWN)
    write_bmp_exact(htb, os.path.join(out, "w95_htb.bmp"), 4)

    hrl = Canvas(10, 8, KEY)
    paint_rows(hrl, 0, 0, H_RULER, GROOVE)
    write_bmp_exact(hrl, os.path.join(out, "w95_hrl.bmp"), 4)

    vtb = Canvas(38, 9, KEY)
    paint_rows(vtb, 0, 0, V_THUMB, METAL)
    paint_rows(vtb, 19, 0, V_THUMB, METAL_DOWN)
    write_bmp_exact(vtb, os.path.join(out, "w95_vtb.bmp"), 4)

    # The vertical ruler is the horizontal one turned a quarter.
    vrl = Canvas(8, 10, KEY)
    for y in range(10):
        for x in range(8):
            ch = H_RULER[x][y]
            if ch in GROOVE:
                vrl.put(7 - x, y, GROOVE[ch])
    write_bmp_exact(vrl, os.path.join(out, "w95_vrl.bmp"), 4)


def knob(canvas, x0, pressed):
    """A rounded, ribbed metal knob of 20 x 12 in the middle of a 33 x 20 cell."""
    left, top, right, bottom = x0 + 6.5, 4.0, x0 + 26.5, 16.0
    shade = 0.62 if pressed else 1.0
    outline = (18, 19, 23)
    canvas.rounded_rect(left - 1, top - 1, right + 1, bottom + 1, 4.5, outline)
    # Brushed metal: light at the top, dark at the bottom.
    body = Canvas(canvas.width, canvas.height, PANEL)
    for y in range(canvas.height):
        t = (y - top) / (bottom - top)
        t = min(max(t, 0.0), 1.0)
        c = tuple(int((a + (b - a) * t) * shade) for a, b in zip((214, 218, 226), (74, 78, 88)))
        for x in range(canvas.width):
            body.px[y][x] = c

    def inside(x, y):
        if x < left or x > right or y < top or y > bottom:
            return False
        cx = min(max(x, left + 3.5), right - 3.5)
        cy = min(max(y, top + 3.5), bottom - 3.5)
        return (x - cx) ** 2 + (y - cy) ** 2 <= 3.5 ** 2

    samples = [(i + 0.5) / 4 for i in range(4)]
    for y in range(int(top) - 1, int(bottom) + 2):
        for x in range(int(left) - 1, int(right) + 2):
            hits = sum(1 for sy in samples for sx in samples if inside(x + sx, y + sy))
            if hits:
                canvas.put(x, y, body.px[y][x], hits / 16)
    # Ribs: a dark groove with a lit edge, every three pixels across the grip.
    groove = tuple(int(c * shade) for c in (40, 42, 50))
    lit = tuple(int(c * shade) for c in (236, 238, 244))
    for k in range(5):
        x = x0 + 10 + 3 * k
        for y in range(7, 14):
            canvas.put(x, y, groove, 0.85)
            canvas.put(x + 1, y, lit, 0.55)
    # A thin highlight along the top edge.
    for x in range(int(left) + 3, int(right) - 2):
        canvas.put(x, int(top) + 1, tuple(int(c * shade) for c in (250, 250, 252)), 0.6)


def player_thumb(out):
    c = Canvas(66, 20, PANEL)
    knob(c, 0, False)
    knob(c, 33, True)
    # 8 bits per pixel: reduce to at most 256 colours by merging near shades.
    quantise(c, 255, keep=PANEL)
    write_bmp_exact(c, os.path.join(out, "play_thumb.bmp"), 8)


def quantise(c, limit, keep):
    colours = {px for row in c.px for px in row}
    step = 1
    while len(colours) > limit:
        step += 1
        for y in range(c.height):
            for x in range(c.width):
                if c.px[y][x] != keep:
                    p = tuple(min(255, (v // step) * step) for v in c.px[y][x])
                    c.px[y][x] = p if p != keep else (p[0] + 1, p[1], p[2])
        colours = {px for row in c.px for px in row}


HAND = [
    "      XX        ",
    "     X..X       ",
    "     X..X       ",
    "     X..X       ",
    "     X..X       ",
    "     X..XXX     ",
    "     X..X..XXX  ",
    "     X..X..X..XX",
    "  XX X..X..X..X.X",
    " X..XX........X.X",
    " X...X..........X",
    "  X.............X",
    "   X............X",
    "   X...........X ",
    "    X..........X ",
    "    X.........X  ",
    "     X........X  ",
    "     X........X  ",
    "     XXXXXXXXXX  ",
]

FIST = [
    "                 ",
    "     XX XX XX    ",
    "    X..X..X..XX  ",
    "    X.........X  ",
    "   XX.........X  ",
    "  X.X.........X  ",
    "  X...........X  ",
    "   X..........X  ",
    "   X.........X   ",
    "    X........X   ",
    "     X.......X   ",
    "     XXXXXXXXX   ",
]


def write_cursor(rows, hotspot, path):
    """A 32 x 32 monochrome .cur: 'X' black, '.' white, anything else clear."""
    w = h = 32
    xor_rows, and_rows = [], []
    for y in range(h - 1, -1, -1):
        xor_bits, and_bits = bytearray(4), bytearray(4)
        row = rows[y] if y < len(rows) else ""
        for x in range(w):
            ch = row[x] if x < len(row) else " "
            if ch == ".":
                xor_bits[x // 8] |= 0x80 >> (x % 8)
            elif ch != "X":
                and_bits[x // 8] |= 0x80 >> (x % 8)
        xor_rows.append(bytes(xor_bits))
        and_rows.append(bytes(and_bits))
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    pal = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = info + pal + b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", w, h, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


def draw(out):
    default_images(out)
    player_thumb(out)
    write_cursor(HAND, (6, 0), os.path.join(out, "rx_handcur.cur"))
    write_cursor(FIST, (8, 6), os.path.join(out, "rx_dragcur.cur"))
