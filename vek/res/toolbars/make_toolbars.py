#!/usr/bin/env python3
"""Draws the pictures of Vek's toolbars and its icon.

Reads the toolbar button lists from ../Vek.rc and the command numbers from
../resource.h, draws one 16x15 picture per button (a recipe per command
below) and writes each toolbar's strip as a 24-bit BMP beside this script,
plus ../Vek.ico. The light grey (192,192,192) is the toolbar's transparent
colour. Run it again after changing a button list:

    python3 vek/res/toolbars/make_toolbars.py
"""
import os
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.dirname(HERE)
W, H = 16, 15

# Colours. Pure greys of the 3-D palette (128 and 223) are avoided: the
# toolbar maps them to system colours.
BG = (192, 192, 192)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (96, 96, 96)
LGREY = (168, 168, 168)
RED = (204, 0, 0)
DRED = (136, 0, 0)
BLUE = (0, 64, 200)
NAVY = (0, 0, 120)
LBLUE = (140, 190, 240)
GREEN = (0, 140, 0)
DGREEN = (0, 96, 40)
LGREEN = (130, 210, 120)
YELLOW = (250, 210, 0)
ORANGE = (230, 120, 0)
BROWN = (140, 80, 30)
BRICK = (210, 150, 110)
PURPLE = (128, 0, 160)
CYAN = (0, 150, 170)
PAPER = (255, 255, 240)


class Img:
    def __init__(self, w=W, h=H):
        self.w, self.h = w, h
        self.px = [[BG] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def line(self, x0, y0, x1, y1, c, dash=0):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err, n = dx + dy, 0
        while True:
            if not dash or (n // dash) % 2 == 0:
                self.set(x0, y0, c)
            n += 1
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def hline(self, x0, x1, y, c):
        self.line(x0, y, x1, y, c)

    def vline(self, x, y0, y1, c):
        self.line(x, y0, x, y1, c)

    def fill(self, x0, y0, x1, y1, c):
        for y in range(min(y0, y1), max(y0, y1) + 1):
            for x in range(min(x0, x1), max(x0, x1) + 1):
                self.set(x, y, c)

    def rect(self, x0, y0, x1, y1, c, inside=None):
        if inside:
            self.fill(x0, y0, x1, y1, inside)
        self.hline(x0, x1, y0, c)
        self.hline(x0, x1, y1, c)
        self.vline(x0, y0, y1, c)
        self.vline(x1, y0, y1, c)

    def poly(self, pts, c, inside=None, dash=0):
        if inside:
            ys = [p[1] for p in pts]
            for y in range(min(ys), max(ys) + 1):
                xs = []
                for i in range(len(pts)):
                    (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % len(pts)]
                    if (y0 <= y < y1) or (y1 <= y < y0):
                        xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
                xs.sort()
                for a, b in zip(xs[::2], xs[1::2]):
                    for x in range(int(round(a)), int(round(b)) + 1):
                        self.set(x, y, inside)
        for i in range(len(pts)):
            (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % len(pts)]
            self.line(x0, y0, x1, y1, c, dash)

    def ellipse(self, cx, cy, rx, ry, c, inside=None, start=0, end=360):
        import math
        if inside:
            for y in range(cy - ry, cy + ry + 1):
                for x in range(cx - rx, cx + rx + 1):
                    if ((x - cx) / (rx + 0.5)) ** 2 + ((y - cy) / (ry + 0.5)) ** 2 <= 1:
                        self.set(x, y, inside)
        steps = 8 * (rx + ry)
        for i in range(steps + 1):
            a = math.radians(start + (end - start) * i / steps)
            self.set(int(round(cx + rx * math.cos(a))), int(round(cy - ry * math.sin(a))), c)

    def text(self, x, y, s, c):
        for ch in s:
            rows = FONT[ch]
            for j, row in enumerate(rows):
                for i, bit in enumerate(row):
                    if bit == "#":
                        self.set(x + i, y + j, c)
            x += len(rows[0]) + 1


# A 3x5 font for the letters the badges use.
FONT = {
    "A": ["###", "#.#", "###", "#.#", "#.#"], "B": ["##.", "#.#", "##.", "#.#", "##."],
    "C": ["###", "#..", "#..", "#..", "###"], "D": ["##.", "#.#", "#.#", "#.#", "##."],
    "E": ["###", "#..", "##.", "#..", "###"], "F": ["###", "#..", "##.", "#..", "#.."],
    "G": ["###", "#..", "#.#", "#.#", "###"], "H": ["#.#", "#.#", "###", "#.#", "#.#"],
    "I": ["###", ".#.", ".#.", ".#.", "###"], "J": ["..#", "..#", "..#", "#.#", "###"],
    "K": ["#.#", "##.", "#..", "##.", "#.#"], "L": ["#..", "#..", "#..", "#..", "###"],
    "M": ["#.#", "###", "###", "#.#", "#.#"], "N": ["##.", "#.#", "#.#", "#.#", "#.#"],
    "O": ["###", "#.#", "#.#", "#.#", "###"], "P": ["###", "#.#", "###", "#..", "#.."],
    "R": ["##.", "#.#", "##.", "#.#", "#.#"], "S": ["###", "#..", "###", "..#", "###"],
    "T": ["###", ".#.", ".#.", ".#.", ".#."], "U": ["#.#", "#.#", "#.#", "#.#", "###"],
    "V": ["#.#", "#.#", "#.#", "#.#", ".#."], "W": ["#.#", "#.#", "###", "###", "#.#"],
    "X": ["#.#", "#.#", ".#.", "#.#", "#.#"], "Y": ["#.#", "#.#", ".#.", ".#.", ".#."],
    "Z": ["###", "..#", ".#.", "#..", "###"], "Q": ["###", "#.#", "#.#", "###", "..#"],
    "0": ["###", "#.#", "#.#", "#.#", "###"], "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["###", "..#", "###", "#..", "###"], "3": ["###", "..#", ".##", "..#", "###"],
    "4": ["#.#", "#.#", "###", "..#", "..#"], "5": ["###", "#..", "###", "..#", "###"],
    "6": ["###", "#..", "###", "#.#", "###"], "7": ["###", "..#", ".#.", ".#.", ".#."],
    "8": ["###", "#.#", "###", "#.#", "###"], "9": ["###", "#.#", "###", "..#", "###"],
    "+": ["...", ".#.", "###", ".#.", "..."], "-": ["...", "...", "###", "...", "..."],
    "?": ["###", "..#", ".##", "...", ".#."], "%": ["#.#", "..#", ".#.", "#..", "#.#"],
    "@": ["###", "#.#", "#.#", "#..", "###"], "#": ["#.#", "###", "#.#", "###", "#.#"],
    "*": ["#.#", ".#.", "###", ".#.", "#.#"], "i": [".#.", "...", "##.", ".#.", "###"],
    "x": ["...", "#.#", ".#.", "#.#", "..."], "=": ["...", "###", "...", "###", "..."],
    ".": ["...", "...", "...", "...", ".#."], ">": ["#..", ".#.", "..#", ".#.", "#.."],
    "<": ["..#", ".#.", "#..", ".#.", "..#"],
}

# ---- glyphs ----------------------------------------------------------------


def node(g, x, y, c=RED):
    g.fill(x - 1, y - 1, x + 1, y + 1, c)


def beam(g, x0, y0, x1, y1, c=BLUE):
    g.line(x0, y0, x1, y1, c)
    g.line(x0, y0 + 1, x1, y1 + 1, c)


def portal(g, c=BLUE, nodes=True):
    beam(g, 2, 3, 13, 3, c)
    g.fill(2, 3, 3, 13, c)
    g.fill(12, 3, 13, 13, c)
    if nodes:
        for x, y in ((2, 3), (13, 3), (2, 13), (13, 13)):
            node(g, x, y)


def column(g, x=7, c=BLUE):
    g.fill(x, 2, x + 1, 12, c)
    node(g, x, 2)
    node(g, x + 1, 12)
    g.hline(x - 3, x + 4, 13, BLACK)


def wall(g, x0=2, y0=3, x1=13, y1=12):
    g.rect(x0, y0, x1, y1, BROWN, BRICK)
    for y in range(y0 + 3, y1, 3):
        g.hline(x0 + 1, x1 - 1, y, BROWN)
    for i, y in enumerate(range(y0 + 1, y1, 3)):
        for x in range(x0 + 2 + (i % 2) * 2, x1, 4):
            g.vline(x, y, min(y + 1, y1 - 1), BROWN)


def shell(g, c=NAVY, inside=LBLUE):
    g.poly([(1, 12), (5, 3), (14, 3), (10, 12)], c, inside)


def solid(g, c=NAVY):
    g.poly([(2, 6), (10, 6), (10, 13), (2, 13)], c, LBLUE)
    g.poly([(2, 6), (6, 2), (14, 2), (10, 6)], c, (190, 220, 250))
    g.poly([(10, 6), (14, 2), (14, 9), (10, 13)], c, (100, 150, 210))


def plane(g, c=DGREEN):
    g.poly([(1, 13), (8, 2), (14, 13)], c, LGREEN)
    g.line(4, 8, 11, 8, c)
    g.line(8, 13, 4, 8, c)
    g.line(8, 13, 11, 8, c)


def region(g, c=PURPLE, inside=None):
    g.poly([(1, 4), (9, 2), (14, 7), (11, 13), (3, 12)], c, inside, dash=2)


def axis_grid(g, c=DRED):
    for x in (4, 11):
        g.line(x, 4, x, 14, c, dash=2)
        g.ellipse(x, 2, 2, 2, c, WHITE)
    for y in (7, 12):
        g.line(0, y, 14, y, c, dash=2)


def spring(g, x0, y0, x1, y1, c=BLACK):
    # a zigzag between two points on a horizontal or vertical line
    if y0 == y1:
        xs = list(range(x0, x1 + 1))
        for i, x in enumerate(xs):
            off = [0, -2, 0, 2][i % 4] if 2 <= i < len(xs) - 2 else 0
            g.set(x, y0 + off, c)
            if off:
                g.set(x, y0 + off // 2, c)
    else:
        ys = list(range(y0, y1 + 1))
        for i, y in enumerate(ys):
            off = [0, -2, 0, 2][i % 4] if 2 <= i < len(ys) - 2 else 0
            g.set(x0 + off, y, c)
            if off:
                g.set(x0 + off // 2, y, c)


def arrow(g, x0, y0, x1, y1, c=RED):
    g.line(x0, y0, x1, y1, c)
    if x0 == x1:
        d = 1 if y1 > y0 else -1
        g.hline(x1 - 1, x1 + 1, y1 - d, c)
        g.hline(x1 - 2, x1 + 2, y1 - 2 * d, c)
    else:
        d = 1 if x1 > x0 else -1
        g.vline(x1 - d, y1 - 1, y1 + 1, c)
        g.vline(x1 - 2 * d, y1 - 2, y1 + 2, c)


def down_loads(g, xs, y0=0, y1=4, c=RED):
    for x in xs:
        arrow(g, x, y0, x, y1, c)


def badge(g, s, c=BLACK, halo=WHITE):
    """Letters in the lower right corner, set off by a halo."""
    w = 4 * len(s) - 1
    x0, y0 = W - w - 1, H - 6
    for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1), (-1, -1), (1, 1), (-1, 1), (1, -1)):
        g.text(x0 + dx, y0 + dy, s, halo)
    g.text(x0, y0, s, c)


def info(g):
    g.ellipse(12, 11, 3, 3, NAVY, WHITE)
    g.vline(12, 10, 13, NAVY)
    g.set(12, 8, NAVY)


def plus(g, x=12, y=11, c=GREEN):
    g.fill(x - 3, y, x + 3, y + 1, c)
    g.fill(x, y - 3, x + 1, y + 3, c)


def cross(g, x=11, y=10, c=RED):
    for d in range(-2, 3):
        g.set(x + d, y + d, c)
        g.set(x + d + 1, y + d, c)
        g.set(x + d, y - d, c)
        g.set(x + d + 1, y - d, c)


def page(g, x0=3, y0=1, x1=12, y1=14, inside=PAPER):
    g.poly([(x0, y0), (x1 - 3, y0), (x1, y0 + 3), (x1, y1), (x0, y1)], BLACK, inside)
    g.line(x1 - 3, y0, x1 - 3, y0 + 3, BLACK)
    g.line(x1 - 3, y0 + 3, x1, y0 + 3, BLACK)


def folder(g):
    g.poly([(1, 4), (5, 4), (6, 5), (13, 5), (13, 13), (1, 13)], BROWN, YELLOW)
    g.poly([(3, 7), (15, 7), (13, 13), (1, 13)], BROWN, (255, 235, 120))


def floppy(g):
    g.rect(2, 1, 13, 14, NAVY, BLUE)
    g.fill(4, 2, 11, 6, WHITE)
    g.fill(5, 9, 10, 14, LGREY)
    g.vline(9, 10, 13, NAVY)


def magnifier(g, x=6, y=6, r=4, c=BLACK):
    g.ellipse(x, y, r, r, c, WHITE)
    g.line(x + 3, y + 3, x + 7, y + 7, c)
    g.line(x + 4, y + 3, x + 8, y + 7, c)


def hand(g):
    g.poly([(4, 8), (4, 3), (6, 3), (6, 7), (6, 2), (8, 2), (8, 7), (8, 3), (10, 3), (10, 8), (10, 5), (12, 5),
            (12, 10), (10, 13), (6, 13), (3, 10), (2, 7)], BLACK, (250, 220, 180))


def screen_frame(g):
    g.rect(1, 1, 14, 13, BLACK, WHITE)


def storeys(g, c=NAVY):
    for y in (3, 7, 11):
        g.hline(2, 13, y, c)
    g.vline(2, 3, 14, c)
    g.vline(13, 3, 14, c)


def number(g, s, c=NAVY):
    g.text(2, 2, s, c)


def printer(g):
    g.rect(4, 1, 11, 6, BLACK, WHITE)
    g.rect(1, 6, 14, 11, BLACK, LGREY)
    g.rect(4, 10, 11, 14, BLACK, WHITE)
    g.set(12, 8, GREEN)


def clipboard(g):
    g.rect(2, 2, 13, 14, BROWN, (210, 170, 110))
    g.fill(4, 4, 11, 13, WHITE)
    g.rect(5, 1, 10, 3, BLACK, LGREY)


def eye(g):
    g.ellipse(7, 7, 6, 3, BLACK, WHITE)
    g.ellipse(7, 7, 2, 2, NAVY, BLUE)


def box3d(g, c=NAVY):
    g.poly([(2, 5), (9, 5), (9, 12), (2, 12)], c)
    g.poly([(5, 2), (12, 2), (12, 9), (5, 9)], c)
    for a, b in (((2, 5), (5, 2)), ((9, 5), (12, 2)), ((9, 12), (12, 9)), ((2, 12), (5, 9))):
        g.line(a[0], a[1], b[0], b[1], c)


def palette(g):
    g.ellipse(7, 7, 6, 5, BLACK, (235, 200, 150))
    node(g, 4, 5, RED)
    node(g, 8, 4, GREEN)
    node(g, 11, 7, BLUE)
    node(g, 5, 9, YELLOW)


def layers(g):
    for i, c in enumerate((LBLUE, LGREEN, YELLOW)):
        y = 9 - 3 * i
        g.poly([(1, y + 2), (7, y - 1), (14, y + 2), (7, y + 5)], BLACK, c)


def film(g, c=BLACK):
    g.rect(1, 3, 14, 11, c, GREY)
    for x in range(2, 14, 3):
        g.set(x, 4, WHITE)
        g.set(x, 10, WHITE)


def contour(g):
    for i, c in enumerate(((0, 0, 200), (0, 160, 220), (0, 200, 80), (240, 220, 0), (240, 120, 0), (220, 0, 0))):
        g.fill(1, 1 + 2 * i, 14, 2 + 2 * i, c)
    g.rect(0, 0, 15, 13, BLACK)


def steel_i(g, c=NAVY):
    g.fill(3, 2, 12, 3, c)
    g.fill(7, 4, 8, 10, c)
    g.fill(3, 11, 12, 12, c)


def tube_joint(g):
    beam(g, 1, 11, 14, 11, NAVY)
    g.line(3, 3, 7, 10, BLUE)
    g.line(4, 3, 8, 10, BLUE)
    g.line(12, 3, 8, 10, BLUE)
    g.line(13, 3, 9, 10, BLUE)
    node(g, 8, 11)


def drop_arrow(g):
    pass  # the toolbar draws the arrow part itself


def wave(g, c=BLUE):
    import math
    for x in range(1, 15):
        y = int(round(7 - 4 * math.sin((x - 1) / 13 * 2 * math.pi)))
        g.set(x, y, c)
        g.set(x, y + 1, c)
    g.hline(0, 15, 13, BLACK)


def wind(g, y=(3, 7, 11), c=CYAN):
    for yy in y:
        arrow(g, 0, yy, 7, yy, c)


# ---- recipes, one per command ------------------------------------------------

def R(*steps):
    def draw(g):
        for s in steps:
            s(g)
    return draw


def L(fn, *a, **k):
    return lambda g: fn(g, *a, **k)


RECIPES = {
    # 文件
    "ID_FILE_NEW": R(L(page)),
    "ID_FILE_OPEN": R(L(folder)),
    "ID_FILE_SAVE": R(L(floppy)),
    "ID_FILE_SAVE_AS": R(L(floppy), L(badge, "A")),
    "ID_FILE_OPEN_RESULTS": R(L(folder), L(badge, "R", RED)),
    "ID_FILE_IMPORT_DXF": R(L(page), L(arrow, 0, 8, 7, 8, GREEN), L(badge, "D")),
    "ID_FILE_IMPORT_LIBRARY": R(L(page), L(arrow, 0, 8, 7, 8, GREEN), L(badge, "K")),
    "ID_FILE_IMPORT_WIND_TUNNEL": R(L(shell), L(wind)),
    "ID_DROP_EXPORT": R(L(page), L(arrow, 6, 8, 14, 8, BLUE)),
    "ID_CHECK_DATA": R(L(page), lambda g: (g.line(4, 8, 7, 11, GREEN), g.line(7, 11, 13, 4, GREEN),
                                            g.line(4, 9, 7, 12, GREEN), g.line(7, 12, 13, 5, GREEN))),
    "ID_CHECK_OVERLAP_STOREYS": R(L(storeys), L(wall, 5, 4, 10, 10), L(beam, 1, 6, 14, 6)),
    "ID_CHECK_OVERLAP_ALL": R(L(wall, 4, 3, 11, 12), L(beam, 0, 7, 15, 7), L(badge, "A", RED)),
    "ID_CHECK_OVERLAP_SELECTED": R(L(wall, 4, 3, 11, 12), L(beam, 0, 7, 15, 7),
                                   lambda g: g.rect(0, 0, 15, 14, BLACK)),
    "ID_CHECK_REMOVE_UNUSED": R(L(page), L(cross, 8, 8)),
    "ID_FILE_PRINT": R(L(printer)),
    "ID_FILE_PRINT_PREVIEW": R(L(page), L(magnifier, 7, 7, 3)),

    # 自动剖分: boundaries in green
    "ID_MESH_LINE": R(lambda g: g.line(1, 12, 14, 2, DGREEN), L(node, 1, 12, GREEN), L(node, 14, 2, GREEN)),
    "ID_MESH_ARC": R(lambda g: g.ellipse(8, 12, 7, 9, DGREEN, start=10, end=170)),
    "ID_MESH_CIRCLE": R(lambda g: g.ellipse(7, 7, 6, 6, DGREEN), L(node, 7, 7, GREEN)),
    "ID_MESH_ELLIPSE": R(lambda g: g.ellipse(7, 7, 7, 4, DGREEN)),
    "ID_MESH_CURVE": R(lambda g: g.ellipse(4, 8, 3, 4, DGREEN, start=0, end=180),
                       lambda g: g.ellipse(11, 8, 3, 4, DGREEN, start=180, end=360)),
    "ID_MESH_RECTANGLE": R(lambda g: g.rect(1, 3, 14, 12, DGREEN)),
    "ID_MESH_LINES_FROM_FRAMES": R(L(portal), lambda g: g.line(0, 6, 15, 6, DGREEN, dash=2)),
    "ID_MESH_LINES_FROM_OUTLINE": R(L(wall, 3, 4, 12, 11), lambda g: g.rect(1, 2, 14, 13, DGREEN)),
    "ID_MESH_LINES_FROM_REGIONS": R(L(region), lambda g: g.poly([(3, 5), (9, 4), (12, 8), (10, 11), (4, 10)],
                                                                  DGREEN)),
    "ID_MESH_BOUND_LOAD": R(lambda g: g.hline(0, 15, 12, DGREEN), L(down_loads, (2, 7, 12), 4, 10)),
    "ID_MESH_BOUND_SIZE": R(lambda g: g.hline(0, 15, 10, DGREEN),
                            lambda g: [g.vline(x, 8, 12, DGREEN) for x in (0, 5, 10, 15)], L(number, "H")),
    "ID_MESH_INNER_BOUND": R(lambda g: g.rect(1, 1, 14, 13, DGREEN), lambda g: g.line(3, 11, 12, 3, RED),
                             lambda g: g.line(3, 12, 12, 4, RED)),
    "ID_MESH_BOUND_RESTRAINT": R(lambda g: g.hline(0, 15, 6, DGREEN),
                                 lambda g: [g.poly([(x, 7), (x - 2, 11), (x + 2, 11)], BLACK) for x in (3, 12)],
                                 lambda g: g.hline(0, 15, 13, BLACK)),
    "ID_MESH_SHELLS": R(L(shell), lambda g: (g.line(3, 8, 12, 8, NAVY), g.line(8, 3, 6, 12, NAVY)),
                        L(badge, "M", DGREEN)),
    "ID_MESH_SOLIDS": R(L(solid), L(badge, "M", DGREEN)),
    "ID_MESH_PLANES": R(L(plane), L(badge, "M", NAVY)),
    "ID_MESH_DELETE": R(L(shell), L(cross, 10, 9)),

    # 几何
    "ID_GEOM_NODE_SNAP": R(L(node, 7, 7), lambda g: g.rect(3, 3, 11, 11, GREEN)),
    "ID_GEOM_NODE_ABSOLUTE": R(L(node, 10, 4), lambda g: (g.vline(1, 1, 13, BLACK), g.hline(1, 14, 13, BLACK)),
                               L(number, "#", BLACK)),
    "ID_GEOM_NODE_RELATIVE": R(L(node, 3, 11, BLUE), L(node, 12, 3), lambda g: g.line(4, 10, 11, 4, BLACK, dash=2),
                               lambda g: g.text(2, 2, "@", BLACK)),
    "ID_GEOM_NODE_INTERSECT": R(lambda g: (g.line(1, 2, 14, 12, BLACK), g.line(1, 12, 14, 2, BLACK)),
                                L(node, 7, 7)),
    "ID_GEOM_FRAME": R(L(portal), L(plus, 8, 9)),
    "ID_GEOM_COLUMN": R(L(column, 4), L(plus, 11, 7)),
    "ID_GEOM_WALL": R(L(wall), L(plus, 10, 9)),
    "ID_GEOM_SHELL": R(L(shell), L(plus, 9, 8)),
    "ID_GEOM_SOLID": R(L(solid), L(plus, 6, 9)),
    "ID_GEOM_PLANE": R(L(plane), L(plus, 8, 10)),
    "ID_GEOM_SMALL_REGION": R(L(region, PURPLE, (230, 200, 240))),
    "ID_GEOM_RIGID_REGION": R(L(region, PURPLE, (200, 160, 220)), L(badge, "R", PURPLE)),
    "ID_GEOM_TRANSFER_REGION": R(L(region, PURPLE, (230, 200, 240)), L(down_loads, (5, 10), 0, 5)),
    "ID_GEOM_SHELLS_IN_REGIONS": R(L(region), L(shell, NAVY, None), L(plus, 12, 11)),
    "ID_GEOM_ADD_AXIS": R(L(axis_grid), L(plus, 8, 10)),
    "ID_GEOM_MOVE_AXIS": R(L(axis_grid), L(arrow, 4, 10, 12, 10, BLUE)),
    "ID_GEOM_AXIS_GRID": R(L(axis_grid)),
    "ID_GEOM_INTEGRATION_LINE": R(L(shell), lambda g: g.line(0, 7, 15, 7, RED), lambda g: g.line(0, 8, 15, 8, RED)),
    "ID_GEOM_INTEGRATION_RECT": R(L(solid), lambda g: g.rect(4, 4, 12, 11, RED)),
    "ID_GEOM_INTEGRATION_FACE": R(L(solid), lambda g: g.poly([(6, 3), (8, 1), (8, 11), (6, 13)], RED, YELLOW)),

    # 属性
    "ID_PROP_FRAME_SECTION": R(L(beam, 0, 3, 15, 3), L(steel_i), L(badge, "S")),
    "ID_PROP_TAPERED_SECTION": R(lambda g: g.poly([(1, 5), (14, 2), (14, 12), (1, 9)], NAVY, LBLUE),
                                 L(node, 1, 7), L(node, 14, 7)),
    "ID_PROP_FRAME_MATERIAL": R(L(beam, 0, 3, 15, 3), L(badge, "M")),
    "ID_PROP_COLUMN_ANGLE": R(L(column, 3), lambda g: g.ellipse(10, 8, 4, 4, RED, start=0, end=270),
                              L(arrow, 10, 8, 14, 8, RED)),
    "ID_PROP_PILE": R(L(column, 7, BROWN), lambda g: g.fill(0, 5, 15, 6, (170, 120, 60)), L(badge, "P")),
    "ID_PROP_TENSION_ONLY": R(L(beam, 2, 7, 13, 7), L(arrow, 5, 3, 0, 3, RED), L(arrow, 10, 3, 15, 3, RED),
                              L(badge, "T")),
    "ID_PROP_FRAME_AXES": R(L(beam, 0, 11, 15, 11), L(arrow, 4, 10, 4, 1, RED), L(arrow, 4, 10, 12, 10, GREEN)),
    "ID_PROP_SWAP_AXES": R(L(beam, 0, 12, 15, 12), lambda g: g.text(3, 3, "2>3", RED)),
    "ID_PROP_RIGID_ENDS": R(L(beam, 0, 7, 15, 7), lambda g: (g.fill(0, 6, 3, 9, BLACK), g.fill(12, 6, 15, 9, BLACK))),
    "ID_PROP_OUTPUT_SECTIONS": R(L(beam, 0, 10, 15, 10), lambda g: [g.vline(x, 4, 9, RED) for x in (1, 5, 9, 13)]),
    "ID_PROP_WALL_OPENING": R(L(wall), lambda g: g.rect(5, 5, 10, 12, BLACK, WHITE)),
    "ID_PROP_WALL_THICKNESS": R(L(wall), L(badge, "T")),
    "ID_PROP_WALL_MATERIAL": R(L(wall), L(badge, "M")),
    "ID_PROP_WALL_ECCENTRICITY": R(L(wall, 2, 3, 8, 12), lambda g: g.vline(11, 1, 14, RED),
                                   L(arrow, 8, 7, 14, 7, BLACK)),
    "ID_PROP_SHELL_THICKNESS": R(L(shell), L(badge, "T")),
    "ID_PROP_SHELL_TYPE": R(L(shell), L(badge, "K")),
    "ID_PROP_SHELL_MATERIAL": R(L(shell), L(badge, "M")),
    "ID_PROP_SOLID_MATERIAL": R(L(solid), L(badge, "M")),
    "ID_PROP_PLANE_MATERIAL": R(L(plane), L(badge, "M")),
    "ID_PROP_REGION_KIND": R(L(region, PURPLE, (230, 200, 240)), lambda g: g.text(3, 5, "<>", BLACK)),
    "ID_PROP_STAGE_NUMBER": R(L(storeys), L(badge, "1", RED)),
    "ID_PROP_NODE_RESTRAINT": R(L(node, 7, 4), lambda g: g.poly([(7, 6), (3, 11), (11, 11)], BLACK, LGREY),
                                lambda g: g.hline(1, 13, 13, BLACK)),
    "ID_PROP_NODE_MASS": R(L(node, 7, 3), lambda g: g.vline(7, 4, 6, BLACK),
                           lambda g: g.poly([(4, 7), (11, 7), (13, 13), (2, 13)], BLACK, GREY)),
    "ID_PROP_NODE_SPRING": R(L(node, 7, 2), L(spring, 7, 3, 7, 12), lambda g: g.hline(2, 12, 13, BLACK)),
    "ID_PROP_SHELL_SPRING": R(lambda g: g.poly([(1, 6), (4, 2), (14, 2), (11, 6)], NAVY, LBLUE),
                              L(spring, 4, 7, 4, 13), L(spring, 10, 7, 10, 13)),
    "ID_PROP_NODE_TOWER": R(L(storeys), L(node, 2, 7), L(badge, "T", RED)),
    "ID_PROP_NODE_DISPLACEMENT": R(L(node, 3, 10), L(arrow, 4, 10, 13, 3, RED),
                                   lambda g: g.line(3, 10, 10, 10, BLACK, dash=2)),
    "ID_PROP_LINK_SPRING": R(L(node, 1, 7), L(node, 14, 7), L(spring, 2, 7, 13, 7)),
    "ID_PROP_REVERSE_SPRING": R(L(spring, 5, 2, 5, 13), L(arrow, 11, 3, 11, 12, RED), L(arrow, 13, 12, 13, 3, BLUE)),

    # 荷载
    "ID_LOAD_NODE_FORCE": R(L(node, 7, 12), L(arrow, 7, 0, 7, 10, RED)),
    "ID_LOAD_NODE_TEMPERATURE": R(L(node, 3, 12), lambda g: (g.rect(9, 1, 12, 10, BLACK, WHITE),
                                                              g.ellipse(10, 11, 2, 2, RED, RED),
                                                              g.fill(10, 5, 11, 10, RED))),
    "ID_LOAD_FRAME": R(L(beam, 0, 12, 15, 12), lambda g: g.hline(0, 15, 2, RED), L(down_loads, (1, 7, 13), 2, 10)),
    "ID_LOAD_FRAME_RELEASE": R(L(beam, 4, 7, 15, 7), lambda g: g.ellipse(2, 7, 2, 2, BLACK, WHITE)),
    "ID_LOAD_RELEASE_END": R(L(beam, 4, 7, 15, 7), lambda g: g.ellipse(2, 7, 2, 2, BLACK, WHITE),
                             L(arrow, 6, 2, 2, 2, RED)),
    "ID_LOAD_FRAME_TEMPERATURE": R(L(beam, 0, 12, 15, 12), lambda g: g.text(2, 2, "T", RED),
                                   L(arrow, 8, 5, 14, 5, RED), L(arrow, 7, 5, 1, 5, RED)),
    "ID_LOAD_CABLE": R(L(beam, 0, 2, 15, 2), lambda g: g.ellipse(7, 4, 7, 7, RED, start=200, end=340)),
    "ID_LOAD_WALL": R(L(wall, 2, 6, 13, 13), L(down_loads, (3, 7, 12), 0, 5)),
    "ID_LOAD_SMALL_REGION": R(L(region, PURPLE, (230, 200, 240)), L(down_loads, (5, 10), 0, 6)),
    "ID_LOAD_SHELL": R(lambda g: g.poly([(1, 13), (4, 8), (14, 8), (11, 13)], NAVY, LBLUE),
                       L(down_loads, (4, 8, 12), 0, 8)),
    "ID_LOAD_SOLID": R(L(solid), L(arrow, 13, 0, 13, 6, RED)),
    "ID_LOAD_PLANE": R(L(plane), L(arrow, 0, 3, 6, 3, RED)),
    "ID_LOAD_WIND_FACES_1": R(L(wall, 8, 2, 12, 13), L(wind), L(number, "1", BLACK)),
    "ID_LOAD_WIND_FACES_2": R(L(wall, 8, 2, 12, 13), L(wind), L(number, "2", BLACK)),
    "ID_LOAD_SHELL_WIND_COEF": R(L(shell), L(wind, (5, 9))),
    "ID_LOAD_COEF_TO_PRESSURE": R(L(shell), L(wind, (5,)), L(down_loads, (11,), 0, 6)),
    "ID_LOAD_UNDO_COEF_TO_PRESSURE": R(L(shell), L(wind, (5,)), L(cross, 11, 10)),

    # 编辑
    "ID_EDIT_UNDO": R(lambda g: g.ellipse(8, 9, 5, 5, BLUE, start=-90, end=160), L(arrow, 4, 7, 2, 10, BLUE)),
    "ID_EDIT_REDO": R(lambda g: g.ellipse(7, 9, 5, 5, BLUE, start=20, end=270), L(arrow, 11, 7, 13, 10, BLUE)),
    "ID_EDIT_MERGE_NODES_AUTO": R(L(node, 3, 3), L(node, 12, 3), L(arrow, 4, 4, 7, 8, BLACK),
                                  L(arrow, 11, 4, 8, 8, BLACK), L(node, 7, 11), L(badge, "A")),
    "ID_EDIT_MERGE_NODES": R(L(node, 3, 3), L(node, 12, 3), L(arrow, 4, 4, 7, 9, BLACK),
                             L(arrow, 11, 4, 8, 9, BLACK), L(node, 7, 12)),
    "ID_EDIT_SPLIT_AT_NODES": R(L(beam, 0, 7, 6, 7), L(beam, 9, 7, 15, 7), L(node, 7, 7)),
    "ID_EDIT_DIVIDE_FRAMES": R(L(beam, 0, 7, 15, 7), L(node, 0, 7), L(node, 5, 7), L(node, 10, 7), L(node, 15, 7)),
    "ID_EDIT_DIVIDE_WALLS": R(L(wall), lambda g: (g.vline(7, 3, 12, RED), g.vline(8, 3, 12, RED))),
    "ID_EDIT_JOIN_FRAMES": R(L(beam, 0, 7, 15, 7), L(arrow, 1, 3, 6, 3, BLACK), L(arrow, 14, 3, 9, 3, BLACK)),
    "ID_EDIT_JOIN_WALLS": R(L(wall, 1, 5, 14, 13), L(arrow, 1, 2, 6, 2, BLACK), L(arrow, 14, 2, 9, 2, BLACK)),
    "ID_EDIT_SHELL_NODE_ORDER": R(L(shell), lambda g: g.ellipse(8, 7, 3, 2, RED, start=0, end=300)),
    "ID_EDIT_MOVE": R(lambda g: g.rect(1, 8, 6, 13, GREY), lambda g: g.rect(8, 1, 13, 6, BLUE, LBLUE),
                      L(arrow, 5, 9, 9, 5, BLACK)),
    "ID_EDIT_MOVE_HELICAL": R(lambda g: g.ellipse(7, 7, 6, 5, BLACK, start=0, end=300),
                              lambda g: g.rect(10, 1, 14, 5, BLUE, LBLUE)),
    "ID_EDIT_COPY_VECTOR": R(lambda g: g.rect(1, 8, 6, 13, BLUE, LBLUE), lambda g: g.rect(8, 1, 13, 6, BLUE, LBLUE),
                             L(arrow, 5, 9, 9, 5, BLACK)),
    "ID_EDIT_COPY_HELICAL": R(lambda g: g.ellipse(7, 7, 6, 5, BLACK, start=0, end=300),
                              lambda g: g.rect(10, 1, 14, 5, BLUE, LBLUE), lambda g: g.rect(1, 9, 5, 13, BLUE, LBLUE)),
    "ID_EDIT_COPY_MIRROR": R(lambda g: g.vline(7, 0, 14, BLACK),
                             lambda g: g.poly([(1, 3), (5, 7), (1, 11)], BLUE, LBLUE),
                             lambda g: g.poly([(14, 3), (10, 7), (14, 11)], BLUE, LBLUE)),
    "ID_EDIT_COPY_ALONG_CURVE": R(lambda g: g.ellipse(8, 14, 7, 10, DGREEN, start=90, end=180),
                                  lambda g: g.rect(9, 2, 13, 6, BLUE, LBLUE), lambda g: g.rect(1, 9, 5, 13, BLUE, LBLUE)),
    "ID_EDIT_COPY_TO_STOREYS": R(L(storeys), lambda g: g.fill(5, 8, 10, 10, BLUE), lambda g: g.fill(5, 4, 10, 6, LBLUE)),
    "ID_EDIT_COPY_STOREY": R(L(storeys), lambda g: g.fill(3, 8, 12, 10, BLUE), lambda g: g.fill(3, 4, 12, 6, LBLUE)),
    "ID_EDIT_SCALE": R(lambda g: g.rect(1, 6, 8, 13, BLUE), lambda g: g.rect(1, 1, 14, 13, BLUE, None),
                       L(arrow, 6, 8, 12, 3, BLACK)),
    "ID_EDIT_CHANGE_LAYER": R(L(layers), L(arrow, 13, 13, 13, 5, RED)),
    "ID_EDIT_LOAD_DIRECTION": R(L(beam, 0, 12, 15, 12), L(arrow, 4, 1, 4, 10, RED), L(arrow, 11, 10, 11, 1, RED)),
    "ID_EDIT_COPY_LOADS": R(L(beam, 0, 12, 6, 12), L(beam, 9, 12, 15, 12), L(arrow, 3, 2, 3, 10, RED),
                            L(arrow, 12, 2, 12, 10, (240, 150, 150))),
    "ID_EDIT_DELETE": R(L(portal), L(cross, 8, 9)),
    "ID_EDIT_SORT": R(lambda g: g.text(1, 0, "1", NAVY), lambda g: g.text(1, 5, "2", NAVY),
                      lambda g: g.text(1, 10, "3", NAVY), L(arrow, 10, 1, 10, 13, RED)),
    "ID_EDIT_SELECT_BY_PROPERTY": R(L(portal, GREY, False), lambda g: g.rect(0, 0, 15, 14, RED, None),
                                    L(badge, "?")),
    "ID_EDIT_LAYERS_OFF_BY_OBJECTS": R(L(layers), L(cross, 12, 4)),
    "ID_EDIT_TEXT_STATE": R(lambda g: g.text(1, 4, "ABC", NAVY), lambda g: g.hline(0, 15, 11, BLACK)),

    # 分析与结果
    "ID_ANALYSIS_START": R(lambda g: g.poly([(3, 1), (13, 7), (3, 13)], DGREEN, GREEN)),
    "ID_ANALYSIS_POST_PROCESSOR": R(L(screen_frame), L(contour), L(badge, "T")),
    "ID_RESULT_REPORT": R(L(page), lambda g: [g.hline(5, 10, y, GREY) for y in (6, 8, 10, 12)]),
    "ID_RESULT_DISP_VALUES": R(L(portal, LGREY, False), lambda g: g.text(3, 5, "0.5", RED)),
    "ID_RESULT_DISP_PICTURE": R(L(portal, LGREY, False), lambda g: (g.line(2, 13, 5, 3, RED), g.line(5, 3, 15, 3, RED),
                                                                    g.line(15, 3, 13, 13, RED))),
    "ID_RESULT_FORCE_DIAGRAM": R(L(beam, 0, 7, 15, 7),
                                 lambda g: g.poly([(0, 7), (3, 12), (7, 13), (11, 12), (15, 7)], RED, (250, 170, 170))),
    "ID_RESULT_FORCE_TEXT": R(L(beam, 0, 12, 15, 12), lambda g: g.text(1, 2, "N=5", RED)),
    "ID_RESULT_SHELL_FORCE_FILE": R(L(page), L(shell, NAVY, None)),
    "ID_RESULT_CONTOUR": R(L(contour)),
    "ID_RESULT_STRESS_FIELD": R(L(plane, LGREY), L(arrow, 3, 11, 8, 6, RED), L(arrow, 9, 11, 13, 7, BLUE)),
    "ID_RESULT_REIN_PICTURE": R(L(beam, 0, 2, 15, 2), lambda g: (g.hline(0, 15, 6, RED), g.hline(0, 15, 10, RED)),
                                lambda g: [g.vline(x, 6, 10, RED) for x in (2, 6, 10, 14)]),
    "ID_RESULT_REIN_PICK": R(lambda g: g.rect(2, 2, 13, 12, BLACK, LGREY),
                             lambda g: [node(g, x, y, RED) for x in (4, 11) for y in (4, 10)], L(info)),
    "ID_RESULT_AXIAL_RATIO": R(L(column, 4), lambda g: g.text(8, 3, "N", RED), lambda g: g.text(8, 9, "A", RED)),
    "ID_DROP_STEEL": R(L(steel_i), L(badge, "C", RED)),
    "ID_DROP_JOINT": R(L(tube_joint)),
    "ID_RESULT_HISTORY_VIEWER": R(L(wave)),
    "ID_RESULT_HISTORY_NODE": R(L(wave, LBLUE), L(node, 7, 7)),
    "ID_RESULT_NODE_ABOVE_FORCE": R(L(column, 7), L(arrow, 3, 14, 3, 6, RED), lambda g: g.text(11, 0, "S", RED)),
    "ID_RESULT_SUPPORT_FORCES": R(lambda g: g.poly([(7, 5), (3, 10), (11, 10)], BLACK, LGREY),
                                  L(arrow, 7, 14, 7, 11, RED), lambda g: g.hline(0, 15, 2, BLUE)),
    "ID_RESULT_CLOSE_ALL": R(L(contour), L(cross, 8, 7, BLACK)),
    "ID_RESULT_FILTER": R(lambda g: g.poly([(1, 1), (14, 1), (9, 7), (9, 13), (6, 13), (6, 7)], BLACK, YELLOW)),
    "ID_RESULT_PLAY": R(L(film), lambda g: g.poly([(6, 5), (10, 7), (6, 9)], GREEN, GREEN)),
    "ID_RESULT_STOP": R(L(film), lambda g: g.fill(6, 5, 9, 8, RED)),

    # 显示
    "ID_VIEW_REDRAW": R(lambda g: g.ellipse(7, 7, 5, 5, GREEN, start=30, end=330), L(arrow, 11, 3, 12, 6, GREEN)),
    "ID_VIEW_ZOOM_EXTENTS": R(L(screen_frame), L(portal, BLUE, False)),
    "ID_VIEW_ZOOM_IN": R(L(magnifier), lambda g: (g.hline(4, 8, 6, BLACK), g.vline(6, 4, 8, BLACK))),
    "ID_VIEW_ZOOM_OUT": R(L(magnifier), lambda g: g.hline(4, 8, 6, BLACK)),
    "ID_VIEW_ZOOM_WINDOW": R(lambda g: g.rect(0, 0, 9, 8, BLACK, None), L(magnifier, 9, 8, 3)),
    "ID_VIEW_ZOOM_DRAG": R(L(magnifier), L(arrow, 6, 10, 6, 14, BLACK), L(arrow, 6, 3, 6, 0, BLACK)),
    "ID_VIEW_PAN_UP": R(L(screen_frame), L(arrow, 7, 11, 7, 3, BLUE)),
    "ID_VIEW_PAN_DOWN": R(L(screen_frame), L(arrow, 7, 3, 7, 11, BLUE)),
    "ID_VIEW_PAN_LEFT": R(L(screen_frame), L(arrow, 12, 7, 3, 7, BLUE)),
    "ID_VIEW_PAN_RIGHT": R(L(screen_frame), L(arrow, 3, 7, 12, 7, BLUE)),
    "ID_VIEW_PAN_LINE": R(L(screen_frame), L(arrow, 3, 11, 11, 3, BLUE)),
    "ID_VIEW_DRAG": R(L(hand)),
    "ID_VIEW_ROTATE_DRAG": R(L(box3d), lambda g: g.ellipse(7, 7, 7, 6, RED, start=20, end=160),
                             L(arrow, 12, 3, 13, 6, RED)),
    "ID_VIEW_POINT": R(L(box3d), L(eye)),
    "ID_DROP_SPECIAL_VIEW": R(L(box3d, BLUE), L(arrow, 14, 14, 10, 10, RED)),
    "ID_VIEW_MODE_PLAN": R(lambda g: g.poly([(1, 10), (5, 5), (14, 5), (10, 10)], NAVY, LBLUE), L(number, "1", BLACK)),
    "ID_VIEW_MODE_ELEVATION": R(lambda g: g.rect(5, 2, 13, 13, NAVY, LBLUE), L(number, "2", BLACK)),
    "ID_VIEW_MODE_3D": R(L(box3d), lambda g: g.text(1, 9, "3", BLACK)),
    "ID_VIEW_WORK_STOREY": R(L(storeys), lambda g: g.fill(3, 6, 12, 8, YELLOW), L(arrow, 14, 13, 14, 8, RED)),
    "ID_VIEW_STOREY_RANGE": R(L(storeys), lambda g: g.vline(0, 3, 11, RED), lambda g: g.vline(15, 3, 11, RED)),
    "ID_VIEW_ELEV_ORIGIN": R(lambda g: g.rect(3, 1, 14, 12, NAVY, LBLUE), L(arrow, 3, 12, 3, 3, RED),
                             L(arrow, 3, 12, 12, 12, GREEN), L(node, 3, 12, BLACK)),
    "ID_VIEW_ELEV_REVERSE": R(lambda g: g.rect(5, 1, 10, 13, NAVY, LBLUE), L(arrow, 2, 4, 2, 11, RED),
                              L(arrow, 13, 11, 13, 4, RED)),
    "ID_DISP_OPTIONS": R(L(eye), L(badge, "O")),
    "ID_DISP_NUMBER_RANGE": R(lambda g: g.text(1, 1, "12", NAVY), lambda g: g.text(6, 8, "99", NAVY),
                              lambda g: g.line(0, 14, 15, 0, RED, dash=2)),
    "ID_DISP_LAYERS": R(L(layers)),
    "ID_DISP_STOREYS": R(L(storeys), L(eye)),
    "ID_DISP_COLOURS": R(L(palette)),
    "ID_DISP_TOWERS": R(lambda g: (g.rect(1, 6, 5, 14, NAVY, LBLUE), g.rect(6, 1, 10, 14, NAVY, LBLUE),
                                   g.rect(11, 4, 14, 14, NAVY, LBLUE))),
    "ID_VIEW_TEXT_LARGER": R(lambda g: g.text(1, 5, "A", NAVY), L(arrow, 11, 12, 11, 2, RED)),
    "ID_VIEW_TEXT_SMALLER": R(lambda g: g.text(1, 5, "A", NAVY), L(arrow, 11, 2, 11, 12, RED)),
    "ID_VIEW_SELECT_METHOD": R(lambda g: g.rect(0, 0, 8, 7, BLACK, None),
                               lambda g: g.poly([(6, 9), (14, 5), (12, 13)], BLACK, None, dash=2),
                               lambda g: g.line(0, 14, 6, 9, RED)),

    # 查看
    "ID_INFO_NODE": R(L(node, 5, 5), L(info)),
    "ID_INFO_FRAME": R(L(portal), L(info)),
    "ID_INFO_COLUMN": R(L(column, 3), L(info)),
    "ID_INFO_FRAME_AXES": R(L(beam, 0, 3, 15, 3), L(arrow, 2, 4, 2, 12, RED), L(arrow, 2, 4, 8, 4, GREEN), L(info)),
    "ID_INFO_COLUMN_AXES": R(L(column, 2), L(arrow, 5, 8, 9, 8, RED), L(info)),
    "ID_INFO_WALL": R(L(wall, 1, 1, 10, 10), L(info)),
    "ID_INFO_SHELL": R(L(shell), L(info)),
    "ID_INFO_SOLID": R(L(solid), L(info)),
    "ID_INFO_SMALL_REGION": R(L(region, PURPLE, (230, 200, 240)), L(info)),
    "ID_INFO_PLANE": R(L(plane), L(info)),
    "ID_INFO_SPRING": R(L(spring, 1, 4, 14, 4), L(node, 1, 4), L(node, 14, 4), L(info)),
    "ID_INFO_TRUSS": R(lambda g: g.poly([(1, 11), (7, 2), (13, 11)], BLUE), lambda g: g.line(4, 7, 7, 11, BLUE),
                       L(info)),
    "ID_INFO_CFRAME": R(lambda g: g.ellipse(8, 12, 7, 8, BLUE, start=20, end=160), L(info)),
    "ID_INFO_PIPE": R(lambda g: (g.rect(0, 3, 11, 8, NAVY, LBLUE), g.ellipse(11, 5, 1, 2, NAVY)), L(info)),
    "ID_INFO_INTEGRATION": R(lambda g: g.line(0, 5, 15, 5, RED), lambda g: g.line(0, 6, 15, 6, RED), L(info)),
    "ID_INFO_CONTENT_MODEL": R(L(page), lambda g: g.text(5, 6, "M", NAVY)),
    "ID_INFO_CONTENT_RESULTS": R(L(page), lambda g: g.text(5, 6, "R", RED)),
    "ID_INFO_CONTENT_ALL": R(L(page), lambda g: (g.text(4, 4, "M", NAVY), g.text(6, 9, "R", RED))),
    "ID_INFO_DISTANCE": R(L(node, 1, 10), L(node, 14, 10), lambda g: g.line(1, 10, 14, 10, BLACK, dash=2),
                          lambda g: (g.rect(1, 2, 14, 6, BLACK, YELLOW),
                                     [g.vline(x, 2, 4, BLACK) for x in range(3, 14, 3)])),
}


def read_ids():
    ids = {}
    with open(os.path.join(RES, "resource.h"), encoding="utf-8") as f:
        for m in re.finditer(r"#define\s+(\w+)\s+(0x[0-9A-Fa-f]+|\d+)", f.read()):
            ids[m.group(1)] = int(m.group(2), 0)
    return ids


def read_toolbars(text):
    bitmaps = dict(re.findall(r'(IDR_TOOLBAR_\w+) BITMAP "([^"]+)"', text))
    bars = []
    for m in re.finditer(r"(IDR_TOOLBAR_\w+) 241\s*\nBEGIN\s*\n(.*?)\nEND", text, re.S):
        words = [w.strip() for w in m.group(2).replace("\n", " ").split(",") if w.strip()]
        version, width, height, count = (int(w) for w in words[:4])
        buttons = words[4:]
        if (version, width, height) != (1, W, H) or count != len(buttons):
            sys.exit(f"{m.group(1)}: header says {count} entries, the list has {len(buttons)}")
        bars.append((m.group(1), bitmaps[m.group(1)], [b for b in buttons if b != "0"]))
    return bars


def bmp_bytes(rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + b"\0" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def icon_image(size):
    """The program's icon: a blue portal frame on a storey grid."""
    g = Img(size, size)
    s = size / 16.0

    def p(v):
        return int(round(v * s))

    g.fill(0, 0, size - 1, size - 1, (235, 240, 250))
    g.rect(0, 0, size - 1, size - 1, NAVY)
    for y in (5, 10):
        g.line(p(1), p(y), p(15) - 1, p(y), LGREY)
    for x0, x1 in ((3, 4), (11, 12)):
        g.fill(p(x0), p(3), p(x1), p(14), BLUE)
    g.fill(p(3), p(3), p(12), p(4), BLUE)
    g.fill(p(3), p(8), p(12), p(8) + max(1, p(1) - 1), BLUE)
    for x, y in ((3.5, 3.5), (11.5, 3.5), (3.5, 8.5), (11.5, 8.5)):
        g.fill(p(x) - max(1, p(1)), p(y) - max(1, p(1)), p(x) + max(1, p(1)) - 1, p(y) + max(1, p(1)) - 1, RED)
    return g


def ico_bytes(images):
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for g in images:
        n = g.w
        xor = bytearray()
        for row in reversed(g.px):
            for r, gg, b in row:
                xor += bytes((b, gg, r, 255))
        mask_stride = ((n + 31) // 32) * 4
        blob = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(xor) + mask_stride * n, 0, 0, 0, 0)
        blob += bytes(xor) + b"\0" * (mask_stride * n)
        entries += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + blobs


def main():
    ids = read_ids()
    with open(os.path.join(RES, "Vek.rc"), encoding="utf-8") as f:
        text = f.read()
    missing = []
    for name, path, buttons in read_toolbars(text):
        strip = [[BG] * (W * len(buttons)) for _ in range(H)]
        for i, button in enumerate(buttons):
            if button not in ids:
                sys.exit(f"{name}: {button} is not in resource.h")
            recipe = RECIPES.get(button)
            if not recipe:
                missing.append(button)
                continue
            g = Img()
            recipe(g)
            for y in range(H):
                strip[y][i * W:(i + 1) * W] = g.px[y]
        with open(os.path.join(RES, path), "wb") as f:
            f.write(bmp_bytes(strip))
        print(f"{path}: {len(buttons)} pictures")
    if missing:
        sys.exit("no picture for: " + ", ".join(missing))
    with open(os.path.join(RES, "Vek.ico"), "wb") as f:
        f.write(ico_bytes([icon_image(32), icon_image(16)]))
    print("Vek.ico")


if __name__ == "__main__":
    main()
