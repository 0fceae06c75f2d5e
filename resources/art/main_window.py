"""The main window's skin, its minimise and terminate pictures, the seven
button faces and the program icon.

Look: a graphite body with fine horizontal brushing, a brushed-aluminium
header (the black title reads on it), a recessed control deck holding seven
raised graphite caps, and a black bezel with a thin cyan inner line around the
file list. Light falls from the top left. Silver glyphs, cyan accents; the
logo mark is a ring with three equaliser bars, shared with the program icon.

Every picture that lies over the skin is cut from one composed image, so its
edges meet the skin without a seam."""
import os

from raster import Canvas, fit_palette, write_bmp, write_ico8
import skin_kit as k
from skin_kit import fill, mix

W, H = 306, 184

# palette
ACCENT = (56, 190, 245)
ACCENT_LIGHT = (150, 228, 255)
ACCENT_DARK = (12, 112, 170)
INK = (14, 15, 18)                      # outlines, deepest shadow
BODY_TOP, BODY_BOTTOM = (70, 74, 82), (38, 41, 47)
HEAD_TOP, HEAD_BOTTOM = (222, 226, 231), (158, 164, 173)
CAP_TOP, CAP_BOTTOM = (88, 93, 102), (50, 54, 61)
RIM_TOP, RIM_BOTTOM = (140, 146, 156), (40, 43, 49)
SILVER_TOP, SILVER_BOTTOM = (250, 251, 253), (176, 183, 193)
WHITE = (255, 255, 255)

FACE_LEFTS = {"open": 12, "play": 52, "encode": 92, "options": 132,
              "view": 172, "help": 212, "about": 252}
FACE_TOP = 24
MIN_AT, TERM_AT = (256, 3), (280, 3)
WELL = (13, 69, 291, 171)               # inclusive pixel rectangle
LIST = (16, 72, 288, 168)


# ---------------------------------------------------------------- the skin

def body(c):
    k.brushed(c, 1, 22, W - 1, H - 1, k.vgrad(22, H - 1, BODY_TOP, BODY_BOTTOM), 2.2, seed=3)
    k.brushed(c, 1, 1, W - 1, 21, k.stops(1, 21, [(0.0, HEAD_TOP), (0.45, (196, 201, 208)),
                                                  (1.0, HEAD_BOTTOM)]), 3.2, seed=5)
    # header edges: highlight on top, a dark seam below, a soft highlight under it
    k.hline(c, 1, W - 2, 1, WHITE, 0.55)
    k.vline(c, 1, 2, 20, WHITE, 0.35)
    k.vline(c, W - 2, 2, 20, INK, 0.25)
    k.hline(c, 1, W - 2, 20, INK, 0.18)
    k.hline(c, 0, W - 1, 21, INK)
    k.hline(c, 1, W - 2, 22, WHITE, 0.16)
    k.vline(c, 1, 23, H - 3, WHITE, 0.10)
    k.vline(c, W - 2, 23, H - 3, INK, 0.35)
    k.hline(c, 2, W - 2, H - 2, INK, 0.45)
    # the outer line, with corners rounded off into it
    k.hline(c, 0, W - 1, 0, INK)
    k.hline(c, 0, W - 1, H - 1, INK)
    k.vline(c, 0, 0, H - 1, INK)
    k.vline(c, W - 1, 0, H - 1, INK)
    r = 5.0
    for cx, cy in ((r, r), (W - r, r), (r, H - r), (W - r, H - r)):
        x0 = 0 if cx < W / 2 else W - 7
        y0 = 0 if cy < H / 2 else H - 7
        box = k.rect(x0, y0, x0 + 7, y0 + 7)
        fill(c, box - k.circle(cx, cy, r - 0.5), INK)
        lit = cy < H / 2
        fill(c, box & k.ring(cx, cy, r - 1.5, r - 0.5), WHITE if lit else INK,
             (0.45 if cx < W / 2 else 0.3) if lit else 0.4)


def grip(c):
    """Engraved grip lines across the free part of the header."""
    x0, x1 = 118, 246
    for y in (7, 10, 13):
        for x in range(x0, x1 + 1):
            fade = min(1.0, (x - x0 + 1) / 14.0, (x1 - x + 1) / 14.0)
            c.put(x, y, (70, 75, 84), 0.55 * fade)
            c.put(x, y + 1, WHITE, 0.55 * fade)


def deck(c):
    """The recessed control deck behind the seven caps."""
    x0, y0, x1, y1 = 8, 23, 296, 66
    fill(c, k.rrect(x0, y0, x1, y1, 4), WHITE, 0.10)                 # lit lower lip
    fill(c, k.rrect(x0, y0, x1, y1 - 1, 4), INK, 0.85)
    fill(c, k.rrect(x0 + 1, y0 + 1, x1 - 1, y1 - 2, 3),
         k.vgrad(y0, y1, (22, 24, 28), (36, 39, 45)))
    k.hline(c, x0 + 3, x1 - 4, y0 + 1, INK, 0.6)                      # inner top shadow


def cap_shape(x, y):
    return k.rrect(x + 3, y + 3, x + 37, y + 37, 5)


def cap(c, x, y):
    fill(c, k.rrect(x + 3, y + 4, x + 37, y + 38, 5), INK, 0.55)      # drop shadow
    fill(c, cap_shape(x, y), INK)
    fill(c, k.rrect(x + 4, y + 4, x + 36, y + 36, 4), k.vgrad(y + 4, y + 34, RIM_TOP, RIM_BOTTOM))
    fill(c, k.rrect(x + 5, y + 5, x + 35, y + 35, 3.5),
         k.stops(y + 5, y + 35, [(0.0, (98, 103, 112)), (0.5, (74, 79, 87)), (1.0, CAP_BOTTOM)]))


def well(c):
    x0, y0, x1, y1 = WELL
    # lit lip just outside the recess on the bottom and right
    k.hline(c, x0, x1 + 1, y1 + 1, WHITE, 0.16)
    k.vline(c, x1 + 1, y0, y1, WHITE, 0.12)
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            c.put(x, y, (16, 17, 20))
    # a soft rim: the top-left of the recess is in shadow, the far edges catch light
    k.bevel(c, x0, y0, x1, y1, INK, (92, 98, 108))
    # a thin cyan line hugging the list
    lx0, ly0, lx1, ly1 = LIST
    k.hline(c, lx0 - 1, lx1 + 1, ly0 - 1, ACCENT_DARK, 0.75)
    k.hline(c, lx0 - 1, lx1 + 1, ly1 + 1, ACCENT, 0.85)
    k.vline(c, lx0 - 1, ly0, ly1, ACCENT_DARK, 0.75)
    k.vline(c, lx1 + 1, ly0, ly1, ACCENT, 0.85)


def screw(c, cx, cy):
    fill(c, k.circle(cx + 0.5, cy + 0.8, 2.6), WHITE, 0.12)
    fill(c, k.circle(cx, cy, 2.6), INK, 0.9)
    fill(c, k.circle(cx, cy, 2.0), k.vgrad(cy - 2, cy + 2, (150, 156, 165), (62, 66, 74)))
    fill(c, k.capsule(cx - 1.3, cy + 1.3, cx + 1.3, cy - 1.3, 0.9), INK, 0.75)


def footer(c):
    # vent slots in the middle of the bottom strip
    n, w, gap = 9, 6, 4
    start = (W - (n * w + (n - 1) * gap)) // 2
    for i in range(n):
        x = start + i * (w + gap)
        fill(c, k.rrect(x, 175, x + w, 180, 1.5), WHITE, 0.10)
        fill(c, k.rrect(x, 174, x + w, 179, 1.5), INK, 0.8)
    # a status lamp
    fill(c, k.circle(18.5, 177.5, 3.2), ACCENT, 0.18)
    fill(c, k.circle(18.5, 177.5, 1.9), INK)
    fill(c, k.circle(18.5, 177.5, 1.45), ACCENT)
    fill(c, k.circle(18.1, 177.1, 0.7), ACCENT_LIGHT)


# ------------------------------------------------------------ the logo mark

def logo(c, cx, cy, r, bars):
    """A graphite disc in a bright steel rim, a cyan ring and three equaliser
    bars; bars are (x0, y0, x1, y1) rectangles placed on whole pixels."""
    fill(c, k.circle(cx, cy, r), INK)
    fill(c, k.circle(cx, cy, r - 0.9), k.vgrad(cy - r, cy + r, (236, 240, 245), (110, 116, 126)))
    fill(c, k.circle(cx, cy, r * 0.80), k.vgrad(cy - r, cy + r, (28, 30, 35), (58, 62, 70)))
    fill(c, k.ring(cx, cy, r * 0.56, r * 0.76), k.vgrad(cy - r, cy + r, ACCENT_LIGHT, ACCENT_DARK))
    for x0, y0, x1, y1 in bars:
        fill(c, k.rect(x0, y0, x1, y1), k.vgrad(y0, y1, (255, 255, 255), (200, 222, 235)))


# ---------------------------------------------------------------- the glyphs

def silver(y0, y1):
    return k.vgrad(y0, y1, SILVER_TOP, SILVER_BOTTOM)


def cyan(y0, y1):
    return k.vgrad(y0, y1, ACCENT_LIGHT, ACCENT_DARK)


def glyph(c, shape, colour, shadow=0.8):
    """A glyph engraved in relief: a dark shadow down-right, then the fill."""
    fill(c, shape.shifted(0.9, 0.9), INK, shadow)
    fill(c, shape, colour)


def sym_open(c, x, y):
    back = k.polygon([(x + 10, y + 13), (x + 17, y + 13), (x + 19, y + 15), (x + 29, y + 15),
                      (x + 29, y + 27), (x + 10, y + 27)])
    glyph(c, back, k.vgrad(y + 13, y + 27, (176, 182, 192), (112, 118, 128)))
    flap = k.polygon([(x + 13, y + 19), (x + 32, y + 19), (x + 29, y + 28), (x + 10, y + 28)])
    glyph(c, flap, silver(y + 19, y + 28), 0.6)
    arrow = (k.polygon([(x + 20.5, y + 8), (x + 25.5, y + 13), (x + 15.5, y + 13)]) |
             k.rect(x + 19.25, y + 12.5, x + 21.75, y + 17))
    glyph(c, arrow, cyan(y + 8, y + 17), 0.7)


def sym_play(c, x, y):
    tri = k.polygon([(x + 15, y + 10.5), (x + 29, y + 20), (x + 15, y + 29.5)])
    glyph(c, tri, cyan(y + 11, y + 29))
    fill(c, k.polygon([(x + 16.2, y + 12.6), (x + 17.2, y + 13.3), (x + 17.2, y + 24.6),
                       (x + 16.2, y + 25.4)]), WHITE, 0.45)


def sym_encode(c, x, y):
    heights = (3, 6, 9, 5, 7)
    wave = None
    for i, h in enumerate(heights):
        bx = x + 9 + i * 3
        bar = k.rect(bx, y + 20 - h, bx + 2, y + 20 + h)
        wave = bar if wave is None else wave | bar
    glyph(c, wave, silver(y + 11, y + 29))
    arrow = (k.rect(x + 24, y + 18.5, x + 29, y + 21.5) |
             k.polygon([(x + 28, y + 14), (x + 34, y + 20), (x + 28, y + 26)]))
    glyph(c, arrow, cyan(y + 14, y + 26))


def sym_options(c, x, y):
    for row, knob in ((13, 24), (20, 15), (27, 21)):
        track = k.rect(x + 10, y + row - 1, x + 30, y + row + 1)
        glyph(c, track, silver(y + row - 1, y + row + 1), 0.6)
    for row, knob in ((13, 24), (20, 15), (27, 21)):
        kn = k.rrect(x + knob - 2, y + row - 3, x + knob + 2, y + row + 3, 1.2)
        glyph(c, kn, cyan(y + row - 3, y + row + 3))


def sym_view(c, x, y):
    cx, cy = x + 20, y + 20
    outer = k.circle(cx, cy + 8, 14.0) & k.circle(cx, cy - 8, 14.0)
    inner = k.circle(cx, cy + 8, 12.4) & k.circle(cx, cy - 8, 12.4)
    glyph(c, outer, silver(cy - 6, cy + 6), 0.7)
    fill(c, inner, k.vgrad(cy - 5, cy + 5, (24, 26, 30), (44, 47, 53)))
    fill(c, k.circle(cx, cy, 4.6) & inner, cyan(cy - 5, cy + 5))
    fill(c, k.circle(cx, cy, 2.0), INK)
    fill(c, k.circle(cx - 1.6, cy - 1.7, 1.0), WHITE, 0.95)


def sym_help(c, x, y):
    cx = x + 20
    hook = (k.arc(cx, y + 15, 3.6, 7.0, 180, 45) |
            k.polygon([(cx + 3.0, y + 17.1), (cx + 5.6, y + 19.0), (cx + 2.0, y + 22.5),
                       (cx + 1.75, y + 25), (cx - 1.75, y + 25), (cx - 1.5, y + 21.5)]))
    glyph(c, hook, silver(y + 8, y + 25))
    glyph(c, k.circle(cx, y + 29.5, 2.2), cyan(y + 27, y + 32))


def sym_about(c, x, y):
    cx = x + 20
    glyph(c, k.circle(cx, y + 11.5, 2.6), cyan(y + 9, y + 14))
    stem = (k.rrect(cx - 2, y + 17, cx + 2, y + 30, 0.6) |
            k.rect(cx - 4, y + 17, cx + 2, y + 19.5) | k.rect(cx - 4.5, y + 28, cx + 4.5, y + 30.5))
    glyph(c, stem, silver(y + 17, y + 31))


SYMBOLS = {"open": sym_open, "play": sym_play, "encode": sym_encode, "options": sym_options,
           "view": sym_view, "help": sym_help, "about": sym_about}


# ----------------------------------------------------- minimise and terminate

def small(base, at, symbol, pressed):
    x0, y0 = at
    c = k.crop(base, x0, y0, 17, 17)
    fill(c, k.rrect(1, 2, 16, 17, 3), WHITE, 0.35)                    # lit lip below
    fill(c, k.rrect(1, 1, 16, 16, 3), INK)
    if pressed:
        fill(c, k.rrect(2, 2, 15, 15, 2.2), k.vgrad(2, 15, (26, 28, 32), (58, 62, 70)))
        ink = k.vgrad(4, 13, ACCENT_LIGHT, ACCENT)
        d = 0.6
    else:
        fill(c, k.rrect(2, 2, 15, 15, 2.2), k.vgrad(2, 15, RIM_TOP, RIM_BOTTOM))
        fill(c, k.rrect(3, 3, 14, 14, 1.6), k.vgrad(3, 14, (98, 103, 112), CAP_BOTTOM))
        ink = k.vgrad(4, 13, SILVER_TOP, SILVER_BOTTOM)
        d = 0.0
    if symbol == "min":
        d = round(d)
        mark = k.rect(5 + d, 10 + d, 12 + d, 12 + d)
    else:
        mark = (k.capsule(5.5 + d, 5.5 + d, 11.5 + d, 11.5 + d, 2.0) |
                k.capsule(11.5 + d, 5.5 + d, 5.5 + d, 11.5 + d, 2.0))
    if not pressed:
        fill(c, mark.shifted(1, 1), INK, 0.8)
    fill(c, mark, ink)
    return c


# ------------------------------------------------------------------ the icon

def icon():
    s = 3   # drawn at three times the size, then averaged down
    big = Canvas(32 * s, 32 * s, INK)
    bars = [(11, 13, 13, 19), (15, 10, 17, 22), (19, 12, 21, 20)]
    logo(big, 16 * s, 16 * s, 15.6 * s, [tuple(v * s for v in b) for b in bars])
    c = Canvas(32, 32)
    for y in range(32):
        for x in range(32):
            acc = [0, 0, 0]
            for j in range(s):
                for i in range(s):
                    p = big.px[y * s + j][x * s + i]
                    acc = [a + b for a, b in zip(acc, p)]
            c.px[y][x] = tuple(v // (s * s) for v in acc)
    mask = [[(x + 0.5 - 16) ** 2 + (y + 0.5 - 16) ** 2 > 15.4 ** 2 for x in range(32)] for y in range(32)]
    k.reduce_colours(c, 250)
    return c, mask


# ------------------------------------------------------------------ assembly

def compose():
    skin = Canvas(W, H)
    body(skin)
    grip(skin)
    logo(skin, 10.5, 10.5, 8.0, [(8, 9, 9, 12), (10, 7, 11, 14), (12, 8, 13, 13)])
    deck(skin)
    for left in FACE_LEFTS.values():
        cap(skin, left, FACE_TOP)
    well(skin)
    footer(skin)
    # The skin is stored with a palette of 256 colours: fitted before anything
    # is cut from it, so that the pictures over it still meet it exactly.
    fit_palette(skin)
    faces = {}
    for kind, left in FACE_LEFTS.items():
        f = k.crop(skin, left, FACE_TOP, 40, 40)
        SYMBOLS[kind](f, 0, 0)
        faces[kind] = f
    return skin, faces


def draw(out):
    skin, faces = compose()
    write_bmp(skin, os.path.join(out, "main_skin.bmp"))
    write_bmp(small(skin, MIN_AT, "min", False), os.path.join(out, "main_minimize.bmp"))
    write_bmp(small(skin, MIN_AT, "min", True), os.path.join(out, "main_minimize_down.bmp"))
    write_bmp(small(skin, TERM_AT, "x", False), os.path.join(out, "main_terminate.bmp"))
    write_bmp(small(skin, TERM_AT, "x", True), os.path.join(out, "main_terminate_down.bmp"))
    for kind, f in faces.items():
        write_bmp(f, os.path.join(out, "face_%s.bmp" % kind))
    c, mask = icon()
    write_ico8(c, mask, os.path.join(out, "orvik.ico"))
