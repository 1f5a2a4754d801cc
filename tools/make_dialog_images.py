#!/usr/bin/python3
"""Draws the dialogs' icons into vek/res/Resource.

support*.ico  the six support presets of the plane restraint panel (20 x 20)

Run it again after changing a drawing; the files are kept in the repository.
"""
import os
import struct

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "vek", "res", "Resource")


def dib(img):
    """32-bit bottom-up DIB with its AND mask, as icon and cursor files hold them."""
    w, h = img.size
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    px = img.load()
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = px[x, y]
            xor += bytes((b, g, r, a))
    stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if px[x, y][3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(xor) + bytes(mask)


def write(path, img, cursor=False, hotspot=(0, 0)):  # an icon, or a cursor with its hot spot
    data = dib(img)
    w, h = img.size
    kind = 2 if cursor else 1
    a, b = (hotspot if cursor else (1, 32))
    entry = struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, a, b, len(data), 6 + 16)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, kind, 1) + entry + data)


def support(name, draw):
    img = Image.new("RGBA", (20, 20), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    draw(d)
    write(os.path.join(OUT, name), img)


BLUE, RED = (0, 0, 160, 255), (200, 0, 0, 255)


def node(d):
    d.ellipse((7, 2, 12, 7), outline=BLUE, fill=(255, 255, 255, 255))


def ground(d, y=17):
    d.line((2, y, 17, y), fill=BLUE)
    for x in range(3, 18, 3):
        d.line((x, y + 1, x - 2, y + 3), fill=BLUE)


def fixed(d):  # all three held: a post into the ground
    d.rectangle((8, 6, 11, 16), fill=BLUE)
    ground(d)


def hinged(d):  # y and z held, rotation free: a triangle
    d.polygon(((9, 6), (4, 16), (15, 16)), outline=BLUE)
    node(d)
    ground(d)


def roller(d, vertical):  # one direction held: rollers across it
    if vertical:  # z held
        d.polygon(((9, 6), (5, 13), (14, 13)), outline=BLUE)
        for x in (6, 10, 14):
            d.ellipse((x - 2, 13, x + 1, 16), outline=BLUE)
        node(d)
        ground(d)
    else:  # y held: the support stands on a wall
        d.polygon(((9, 9), (16, 4), (16, 14)), outline=BLUE)
        node(d)
        d.line((17, 2, 17, 17), fill=BLUE)


def with_rotation(draw):
    def both(d):
        draw(d)
        d.arc((1, 1, 18, 18), 200, 340, fill=RED)
    return both


def main():
    os.makedirs(OUT, exist_ok=True)
    support("support_fixed.ico", fixed)                                 # 286
    support("support_hinged.ico", hinged)                               # 287
    support("support_y.ico", lambda d: roller(d, False))                # 288
    support("support_z.ico", lambda d: roller(d, True))                 # 289
    support("support_y_rx.ico", with_rotation(lambda d: roller(d, False)))  # 290
    support("support_z_rx.ico", with_rotation(lambda d: roller(d, True)))   # 291


if __name__ == "__main__":
    main()
