#!/usr/bin/python3
"""Draws the section pictures of the section dialogs into vek/res/Resource:
smallsect.gif and bigsect.gif (a cell per section kind: 1..10, then the
general section) and steelsect.gif (a cell per steel pattern, then the
user-defined section). Cells are square and side by side.

    make_section_pictures.py [folder]
"""
import os
import sys

from PIL import Image, ImageDraw

INK = (0, 0, 128)
FILL = (160, 176, 208)
PAPER = (255, 255, 255)


def plates(d, s, rects):
    """Filled rectangles given in a 0..1 square."""
    for x0, y0, x1, y1 in rects:
        d.rectangle([x0 * s, y0 * s, x1 * s, y1 * s], fill=FILL, outline=INK)


def draw_kind(d, s, kind):
    m = 0.15
    if kind == 1:
        plates(d, s, [(0.3, m, 0.7, 1 - m)])
    elif kind == 2:
        plates(d, s, [(0.25, m, 0.75, 0.25), (0.45, 0.25, 0.55, 0.75), (0.15, 0.75, 0.85, 1 - m)])
    elif kind == 3:
        plates(d, s, [(m, m, 1 - m, 0.3), (0.43, 0.3, 0.57, 1 - m)])
    elif kind == 4:
        plates(d, s, [(0.43, m, 0.57, 0.7), (m, 0.7, 1 - m, 1 - m)])
    elif kind == 5:
        plates(d, s, [(0.25, m, 0.37, 1 - m), (0.37, 0.73, 0.8, 1 - m)])
    elif kind == 6:
        plates(d, s, [(0.3, m, 0.75, 0.27), (0.3, 0.27, 0.42, 0.73), (0.3, 0.73, 0.75, 1 - m)])
    elif kind == 7:
        d.ellipse([m * s, m * s, (1 - m) * s, (1 - m) * s], fill=FILL, outline=INK)
        d.ellipse([0.35 * s, 0.35 * s, 0.65 * s, 0.65 * s], fill=PAPER, outline=INK)
    elif kind == 8:
        d.pieslice([m * s, m * s, (1 - m) * s, (1 - m) * s], 120, 240, fill=FILL, outline=INK)
        d.pieslice([0.32 * s, 0.32 * s, 0.68 * s, 0.68 * s], 120, 240, fill=PAPER, outline=INK)
    elif kind == 9:
        plates(d, s, [(0.25, m, 0.75, 1 - m)])
        d.rectangle([0.35 * s, 0.27 * s, 0.65 * s, 0.73 * s], fill=PAPER, outline=INK)
    elif kind == 10:
        plates(d, s, [(0.2, m, 0.55, 0.27), (0.45, 0.27, 0.55, 0.73), (0.45, 0.73, 0.8, 1 - m)])
    else:  # the general section: given by its properties
        d.rectangle([m * s, m * s, (1 - m) * s, (1 - m) * s], outline=INK)
        d.text((0.3 * s, 0.4 * s), 'A,I', fill=INK)


def strip(cells, size, draw):
    img = Image.new('RGB', (cells * size, size), PAPER)
    for i in range(cells):
        cell = Image.new('RGB', (size, size), PAPER)
        d = ImageDraw.Draw(cell)
        d.rectangle([0, 0, size - 1, size - 1], outline=(192, 192, 192))
        draw(d, size, i)
        img.paste(cell, (i * size, 0))
    return img.convert('P', palette=Image.ADAPTIVE, colors=32)


def steel_cell(d, s, pattern):
    # The pattern's family shape, and its number for telling cells apart.
    shapes = {0: 5, 1: 2, 2: 6, 9: 7, 10: 9, 43: 3, 44: 2, 45: 1, 49: 7, 55: 3, 56: 4, 57: 9}
    if pattern == 58:
        draw_kind(d, s, 40)
        return
    draw_kind(d, s, shapes.get(pattern, 2 if pattern >= 36 else 6 if pattern >= 28 else 10))
    d.text((3, 2), str(pattern + 1), fill=INK)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    kinds = lambda d, s, i: draw_kind(d, s, i + 1 if i < 10 else 40)
    strip(11, 32, kinds).save(os.path.join(folder, 'smallsect.gif'))
    strip(11, 96, kinds).save(os.path.join(folder, 'bigsect.gif'))
    strip(59, 96, steel_cell).save(os.path.join(folder, 'steelsect.gif'))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else
         os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'vek', 'res', 'Resource'))
