"""Glyphs of the switch control and of the encoder dialogs: the switch's own
default pair (32 x 48, 16 colours), the dialogs' 14 x 14 pair, the player's
23 x 24 pair (256 colours) and the browse buttons' open-folder glyph.

Every glyph's bottom-left pixel is its transparent colour; the pictures are
drawn onto that colour so anti-aliased edges blend into the surface they sit
on. Black (0, 0, 0) is kept for outlines only: the switch builds its
engraved disabled look from the black pixels.
"""
import os

from raster import Canvas, write_bmp, write_bmp_indexed

MED_GRAY = (160, 160, 164)      # the encoder dialogs' surface
SKIN = (40, 43, 50)             # the dark player skin
ACCENT = (80, 150, 220)         # the skin's blue
BLACK = (0, 0, 0)


def dialog_switch(on):
    """14 x 14 sunken square: dark when off, lit when on."""
    c = Canvas(14, 14, MED_GRAY)
    # the recess: shadow top and left, light bottom and right
    c.fill_rect(1, 0, 13, 1, (92, 92, 98))
    c.fill_rect(0, 1, 1, 13, (92, 92, 98))
    c.fill_rect(1, 13, 13, 14, (236, 236, 240))
    c.fill_rect(13, 1, 14, 13, (236, 236, 240))
    # black outline inside the recess
    c.fill_rect(1, 1, 13, 13, BLACK)
    if on:
        c.vgradient(2, 2, 12, 12, (176, 220, 255), (96, 164, 232))
        c.fill_rect(3, 3, 11, 4, (226, 244, 255))
    else:
        c.vgradient(2, 2, 12, 12, (30, 32, 38), (58, 62, 72))
    return c


def player_switch(on):
    """23 x 24 round toggle of the player: a dim lamp when off (the entry
    repeats), a lit lamp with an onward arrow when on (the list advances)."""
    c = Canvas(23, 24, SKIN)
    c.rounded_rect(0.5, 0.5, 22.5, 23.5, 4, (20, 22, 26))
    c.rounded_rect(1.5, 1.5, 21.5, 22.5, 3.5, (64, 69, 80))
    c.circle(11.5, 12, 8.2, BLACK)
    if on:
        c.circle(11.5, 12, 7, ACCENT)
        c.circle(10.5, 10, 3.5, (150, 200, 245))
        c.polygon([(8.5, 8), (15.5, 12), (8.5, 16)], (245, 250, 255))
    else:
        c.circle(11.5, 12, 7, (52, 56, 64))
        c.rounded_rect(8, 8.5, 15, 15.5, 1.5, (110, 116, 128))
        c.rounded_rect(9.6, 10.1, 13.4, 13.9, 0.8, (52, 56, 64))
    c.put(0, 23, SKIN)
    return c


VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
       (0, 255, 255), (255, 255, 255)]


def default_switch(on):
    """The control's own 32 x 48 lever: a slot with the knob at the top when
    on, at the bottom when off. Olive is the transparent colour."""
    c = Canvas(32, 48, (128, 128, 0))
    c.fill_rect(9, 2, 23, 46, (128, 128, 128))
    c.fill_rect(10, 3, 22, 45, BLACK)
    c.fill_rect(11, 4, 21, 44, (0, 0, 128) if on else (0, 0, 0))
    top = 5 if on else 25
    c.fill_rect(6, top, 26, top + 18, BLACK)
    c.fill_rect(7, top + 1, 25, top + 17, (192, 192, 192))
    c.fill_rect(7, top + 1, 25, top + 2, (255, 255, 255))
    c.fill_rect(7, top + 1, 8, top + 17, (255, 255, 255))
    c.fill_rect(8, top + 16, 25, top + 17, (128, 128, 128))
    c.fill_rect(24, top + 2, 25, top + 17, (128, 128, 128))
    for y in (top + 6, top + 9, top + 12):
        c.fill_rect(10, y, 22, y + 1, (128, 128, 128))
    c.fill_rect(13, top - 1 if on else top + 18, 19, top if on else top + 19, (0, 255, 0) if on else (0, 0, 0))
    return c


def open_folder():
    """16 x 16 open folder for the browse buttons."""
    c = Canvas(16, 16, MED_GRAY)
    # back of the folder with its tab
    c.polygon([(1, 3), (6, 3), (7.5, 4.5), (13, 4.5), (13, 13), (1, 13)], (60, 44, 14))
    c.polygon([(1.8, 3.8), (5.6, 3.8), (7.1, 5.3), (12.2, 5.3), (12.2, 12.5), (1.8, 12.5)], (214, 160, 58))
    # a sheet inside
    c.fill_rect(4, 6, 11, 10, (250, 250, 246))
    # the open front flap
    c.polygon([(3.5, 7.5), (15.5, 7.5), (12.5, 13.5), (0.5, 13.5)], (60, 44, 14))
    c.polygon([(4.1, 8.3), (14.4, 8.3), (12.0, 12.8), (1.6, 12.8)], (250, 206, 102))
    c.put(0, 15, MED_GRAY)
    return c


def draw(out):
    write_bmp(dialog_switch(False), os.path.join(out, "enc_switch_off.bmp"))
    write_bmp(dialog_switch(True), os.path.join(out, "enc_switch_on.bmp"))
    write_bmp(open_folder(), os.path.join(out, "enc_open_folder.bmp"))
    for on, name in ((False, "play_switch_off.bmp"), (True, "play_switch_on.bmp")):
        glyph = player_switch(on)
        colours = sorted({px for row in glyph.px for px in row})
        write_bmp_indexed(glyph, os.path.join(out, name), 8, colours[:256])
    write_bmp_indexed(default_switch(False), os.path.join(out, "switch_off.bmp"), 4, VGA)
    write_bmp_indexed(default_switch(True), os.path.join(out, "switch_on.bmp"), 4, VGA)
