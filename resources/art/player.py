"""The player window's transport pictures: seven grey circular buttons with
a dark symbol each, on the control panel's grey (clMedGray), 24 bits per
pixel. Most are 34 x 34; the go-to-start and go-to-end pictures are one
column wider (35 x 34) and the stop picture one row shorter (34 x 33), as
the window's layout expects of them."""
import os

import skin_kit as k
from raster import Canvas, write_bmp24

PANEL = (160, 160, 164)         # clMedGray
RIM_DARK = (70, 71, 76)
RIM_LIGHT = (236, 237, 240)
FACE_TOP = (214, 215, 219)
FACE_BOTTOM = (150, 151, 157)
INK = (34, 35, 40)
INK_LIGHT = (246, 246, 248)


def button(width, height):
    """A raised round button centred in the first 34 x 34 pixels; a wider or
    taller picture only adds panel grey."""
    c = Canvas(width, height, PANEL)
    cx, cy = 17.0, min(17.0, height / 2.0)
    r = min(16.0, height / 2.0 - 0.5)
    k.fill(c, k.circle(cx + 0.6, cy + 0.8, r), RIM_DARK, 0.55)          # cast shadow
    k.fill(c, k.circle(cx, cy, r), k.vgrad(cy - r, cy + r, RIM_LIGHT, RIM_DARK))
    k.fill(c, k.circle(cx, cy, r - 1.6), k.vgrad(cy - r, cy + r, FACE_TOP, FACE_BOTTOM))
    k.fill(c, k.circle(cx - 3.5, cy - 5.5, r - 8.5), (255, 255, 255), 0.22)  # soft sheen
    return c, cx, cy


def symbol(c, shape):
    """A dark symbol pressed into the face: a light edge below, then the ink."""
    k.fill(c, shape.shifted(0.0, 0.9), INK_LIGHT, 0.7)
    k.fill(c, shape, INK)


def tri_left(x, cy, w, h):
    return k.polygon([(x + w, cy - h / 2), (x + w, cy + h / 2), (x, cy)])


def tri_right(x, cy, w, h):
    return k.polygon([(x, cy - h / 2), (x, cy + h / 2), (x + w, cy)])


def bar(x, cy, h, w=2.4):
    return k.rect(x, cy - h / 2, x + w, cy + h / 2)


def begin():
    c, cx, cy = button(35, 34)
    symbol(c, bar(cx - 7, cy, 12) | tri_left(cx - 4.2, cy, 10, 12))
    return c


def back():
    c, cx, cy = button(34, 34)
    symbol(c, tri_left(cx - 9, cy, 9, 11) | tri_left(cx, cy, 9, 11))
    return c


def play():
    c, cx, cy = button(34, 34)
    symbol(c, tri_right(cx - 4.5, cy, 11.5, 14))
    return c


def stop():
    c, cx, cy = button(34, 33)
    symbol(c, k.rrect(cx - 5.5, cy - 5.5, cx + 5.5, cy + 5.5, 1.0))
    return c


def eject():
    c, cx, cy = button(34, 34)
    symbol(c, k.polygon([(cx - 7, cy + 1.5), (cx + 7, cy + 1.5), (cx, cy - 7)]) |
           k.rect(cx - 7, cy + 4, cx + 7, cy + 6.8))
    return c


def forward():
    c, cx, cy = button(34, 34)
    symbol(c, tri_right(cx - 9, cy, 9, 11) | tri_right(cx, cy, 9, 11))
    return c


def end():
    c, cx, cy = button(35, 34)
    symbol(c, tri_right(cx - 5.8, cy, 10, 12) | bar(cx + 4.6, cy, 12))
    return c


PICTURES = {"begin": begin, "back": back, "play": play, "stop": stop, "eject": eject,
            "forward": forward, "end": end}


def draw(out):
    for name, make in PICTURES.items():
        write_bmp24(make(), os.path.join(out, "player_%s.bmp" % name))
