"""The main window's skin, its minimise and terminate pictures, the seven
button faces and the program icon."""
import os

from raster import Canvas, write_bmp24, write_ico8

W, H = 306, 184


def skin():
    c = Canvas(W, H)
    c.vgradient(0, 0, W, H, (58, 62, 70), (28, 30, 35))
    c.vgradient(0, 0, W, 21, (90, 96, 108), (52, 56, 64))
    c.fill_rect(0, 21, W, 22, (20, 22, 26))
    # the list box's recess
    c.fill_rect(13, 69, 292, 172, (18, 19, 22))
    return c


def small(symbol, pressed):
    c = Canvas(17, 17, (52, 56, 64))
    c.rounded_rect(0.5, 0.5, 16.5, 16.5, 3, (30, 32, 38) if pressed else (110, 118, 132))
    if symbol == "min":
        c.fill_rect(4, 11, 13, 13, (240, 240, 240))
    else:
        c.line(5, 5, 12, 12, 2, (240, 240, 240))
        c.line(12, 5, 5, 12, 2, (240, 240, 240))
    return c


def face(kind):
    c = Canvas(40, 40, (40, 43, 50))
    c.circle(20, 20, 16, (80, 150, 220))
    return c


def icon():
    c = Canvas(32, 32, (0, 0, 0))
    c.circle(16, 16, 15, (80, 150, 220))
    mask = [[(x - 15.5) ** 2 + (y - 15.5) ** 2 > 15.5 ** 2 for x in range(32)] for y in range(32)]
    return c, mask


def draw(out):
    write_bmp24(skin(), os.path.join(out, "main_skin.bmp"))
    write_bmp24(small("min", False), os.path.join(out, "main_minimize.bmp"))
    write_bmp24(small("min", True), os.path.join(out, "main_minimize_down.bmp"))
    write_bmp24(small("x", False), os.path.join(out, "main_terminate.bmp"))
    write_bmp24(small("x", True), os.path.join(out, "main_terminate_down.bmp"))
    for kind in ("open", "play", "encode", "options", "view", "help", "about"):
        write_bmp24(face(kind), os.path.join(out, "face_%s.bmp" % kind))
    c, mask = icon()
    write_ico8(c, mask, os.path.join(out, "orvik.ico"))
