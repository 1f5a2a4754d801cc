#!/usr/bin/env python3
"""Writes the pictures of the interaction resources: the view's cursors, the
prompt bar's view-mode icons and the layer and storey lists' state images.
Run it from this folder; it writes next to itself."""
import struct

W = H = 32


def cursor(name, hot, draw):
    """A 32 x 32 monochrome cursor: draw(put) paints black pixels with a white rim."""
    black = set()
    draw(lambda x, y: black.add((x, y)) if 0 <= x < W and 0 <= y < H else None)
    rim = set()
    for (x, y) in black:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                p = (x + dx, y + dy)
                if p not in black and 0 <= p[0] < W and 0 <= p[1] < H:
                    rim.add(p)
    # XOR plane: 1 for white, AND plane: 0 where the cursor is opaque.
    xor_rows, and_rows = [], []
    for y in range(H - 1, -1, -1):
        xr = ar = 0
        for x in range(W):
            bit = 1 << (31 - x)
            if (x, y) in black:
                pass
            elif (x, y) in rim:
                xr |= bit
            else:
                ar |= bit
        xor_rows.append(struct.pack(">I", xr))
        and_rows.append(struct.pack(">I", ar))
    header = struct.pack("<IiiHHIIiiII", 40, W, H * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    data = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", W, H, 2, 0, hot[0], hot[1], len(image), 22) + image
    with open(name, "wb") as f:
        f.write(data)


def line(put, x0, y0, x1, y1):
    n = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(n + 1):
        put(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n))


def circle(put, cx, cy, r):
    import math
    for i in range(90):
        a = i * 2 * math.pi / 90
        put(round(cx + r * math.cos(a)), round(cy + r * math.sin(a)))


def arrow(put, x, y, dx, dy):
    """A short arrow from (x, y) in direction (dx, dy)."""
    line(put, x, y, x + 9 * dx, y + 9 * dy)
    px, py = -dy, dx
    line(put, x + 9 * dx, y + 9 * dy, x + 6 * dx + 3 * px, y + 6 * dy + 3 * py)
    line(put, x + 9 * dx, y + 9 * dy, x + 6 * dx - 3 * px, y + 6 * dy - 3 * py)


def pointer(put):
    for i in range(14):
        line(put, 0, i, i // 2, i)
    line(put, 0, 0, 0, 16)
    line(put, 0, 0, 11, 11)
    line(put, 0, 16, 4, 12)
    line(put, 4, 12, 7, 18)
    line(put, 7, 18, 9, 17)
    line(put, 9, 17, 6, 11)
    line(put, 6, 11, 11, 11)


def cross(put):
    line(put, 15, 4, 15, 26)
    line(put, 4, 15, 26, 15)


cursor("pan.cur", (15, 15), lambda p: (arrow(p, 15, 15, 1, 0), arrow(p, 15, 15, -1, 0), arrow(p, 15, 15, 0, 1),
                                      arrow(p, 15, 15, 0, -1)))
cursor("zoomwindow.cur", (5, 5), lambda p: (line(p, 5, 0, 5, 10), line(p, 0, 5, 10, 5), line(p, 12, 12, 28, 12),
                                           line(p, 28, 12, 28, 26), line(p, 28, 26, 12, 26), line(p, 12, 26, 12, 12)))
cursor("livezoom.cur", (11, 11), lambda p: (circle(p, 11, 11, 8), line(p, 17, 17, 27, 27), line(p, 7, 11, 15, 11),
                                           line(p, 11, 7, 11, 15)))
cursor("rotateinner.cur", (15, 15), lambda p: (circle(p, 15, 15, 9), arrow(p, 24, 13, 0, 1), cross(p)))
cursor("rotateouter.cur", (15, 15), lambda p: (circle(p, 15, 15, 11), arrow(p, 26, 12, 0, 1), circle(p, 15, 15, 2)))
for name, (dx, dy) in {"edgeright": (1, 0), "edgeleft": (-1, 0), "edgetop": (0, -1), "edgebottom": (0, 1),
                       "edgetopright": (1, -1), "edgetopleft": (-1, -1), "edgebottomleft": (-1, 1),
                       "edgebottomright": (1, 1)}.items():
    hot = (15 + 14 * dx, 15 + 14 * dy)
    cursor(name + ".cur", hot, lambda p, dx=dx, dy=dy: (arrow(p, 15 - 4 * dx, 15 - 4 * dy, dx, dy),
                                                         arrow(p, 15 - 12 * dx, 15 - 12 * dy, dx, dy)))
cursor("selectadd.cur", (0, 0), lambda p: (pointer(p), line(p, 20, 16, 20, 26), line(p, 15, 21, 25, 21)))
cursor("normal.cur", (15, 15), lambda p: (cross(p), line(p, 13, 13, 17, 13), line(p, 17, 13, 17, 17),
                                         line(p, 17, 17, 13, 17), line(p, 13, 17, 13, 13)))


def icon(name, draw):
    """A 16 x 16 icon of 24-bit colour with its mask: draw(put) paints coloured pixels."""
    px = {}
    draw(lambda x, y, c: px.__setitem__((x, y), c))
    rows = b""
    for y in range(15, -1, -1):
        row = b""
        for x in range(16):
            c = px.get((x, y), 0xF0F0F0)
            row += struct.pack("<BBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16)
        rows += row
    mask = b"".join(struct.pack(">I", 0) for _ in range(16))
    header = struct.pack("<IiiHHIIiiII", 40, 16, 32, 1, 24, 0, 0, 0, 0, 0, 0)
    image = header + rows + mask
    data = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 16, 16, 0, 0, 1, 24, len(image), 22) + image
    with open(name, "wb") as f:
        f.write(data)


def digit_box(put, colour, marks):
    for i in range(2, 14):
        put(i, 2, colour)
        put(i, 13, colour)
        put(2, i, colour)
        put(13, i, colour)
    for (x0, y0, x1, y1) in marks:
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            put(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), colour)


icon("plan.ico", lambda p: digit_box(p, 0x0000A0, [(5, 5, 10, 5), (10, 5, 10, 10), (10, 10, 5, 10), (5, 10, 5, 5)]))
icon("elevation.ico", lambda p: digit_box(p, 0x008000, [(5, 11, 5, 4), (5, 4, 10, 4), (10, 4, 10, 11), (5, 8, 10, 8)]))
icon("free3d.ico", lambda p: digit_box(p, 0xA00000, [(4, 11, 8, 8), (8, 8, 8, 3), (8, 8, 12, 11)]))


def bitmap(name, w, h, draw):
    px = {}
    draw(lambda x, y, c: px.__setitem__((x, y), c))
    stride = (w * 3 + 3) & ~3
    rows = b""
    for y in range(h - 1, -1, -1):
        row = b"".join(struct.pack("<BBB", px.get((x, y), 0xFFFFFF) & 0xFF, (px.get((x, y), 0xFFFFFF) >> 8) & 0xFF,
                                   px.get((x, y), 0xFFFFFF) >> 16) for x in range(w))
        rows += row + b"\0" * (stride - w * 3)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0)
    with open(name, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + 40 + len(rows), 0, 0, 54) + info + rows)


def states(put):
    # Image 1: hidden (a grey cross); image 2: shown (a green tick).
    for i in range(4, 11):
        put(15 + i, i, 0x808080)
        put(15 + 14 - i, i, 0x808080)
    for i in range(3, 7):
        put(30 + i, 5 + i, 0x00A000)
        put(30 + i, 6 + i, 0x00A000)
    for i in range(6, 12):
        put(30 + i, 15 - i, 0x00A000)
        put(30 + i, 16 - i, 0x00A000)


bitmap("states.bmp", 45, 15, states)
