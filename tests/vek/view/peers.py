#!/usr/bin/python3
"""Helper of the view tests, run with the system python; it writes GBK.

  audit <dxf> <out>                 ezdxf reads the file (GBK) and audits it: "errors N",
                                    "fixes N", then one line per entity: type and layer
  ini <file> <section> <out>        configparser reads the section: one "key=value" a line
  compare <ref.png> <png> <out>     ImageMagick counts the pixels that differ: "differ N", "total N",
                                    "inked N" (the reference's pixels not of its first pixel's colour)
                                    ("missing" when the reference is not there)
  places <json> <png> <out>         checks the picture against the projection's formulas: the
                                    axis-grid crossings and the nodes of the scene; one line per
                                    check, "ok ..." or "bad ..."
  gifinfo <gif> <out>               gifsicle's account of an animation: "images N", "loop ..."
                                    (the loop count, "forever" or "none"), "delay D" per image in
                                    hundredths; then "frame i r,g,b" of each frame's first pixel (PIL)
  wmf <wmf> <out>                   wmf2svg (libwmf) converts the metafile: "status N", "svg N" (its
                                    size), and the count of its "lines N", "ellipses N", "texts N"
  pdfbox <pdf> <out>                the first page at 30 dots an inch: "size W H", "box x0 y0 x1 y1"
                                    (fractions of the page: where it is not white), "dark N" (pixels
                                    below half grey), "coloured N" (pixels whose channels differ by
                                    more than 60)
  sections <json> <out>             Shapely builds each section's outlines (closed rings, rings with
                                    their inner ring, open strips of paired points) and checks the
                                    area the program gives (within 1 % for "curved" ones, drawn as
                                    chords) and, where asked, that y = 0 halves the area; one line
                                    per section, "ok ..." or "bad ..."
"""
import configparser
import json
import math
import os
import subprocess
import sys
import tempfile


def finish(out, text):
    """Writes the result beside its name and then renames it: a program waiting
    for the file sees it whole or not at all."""
    with open(out + ".part", "w", encoding="gbk") as f:
        f.write(text)
    os.replace(out + ".part", out)


def audit(path, out):
    import ezdxf
    doc = ezdxf.readfile(path, encoding="gbk")
    auditor = doc.audit()
    lines = ["errors %d" % len(auditor.errors), "fixes %d" % len(auditor.fixes)]
    for e in auditor.errors:
        lines.append("error: %s" % (e.message,))
    for e in auditor.fixes:
        lines.append("fix: %s" % (e.message,))
    for e in doc.modelspace():
        extra = ""
        if e.dxftype() == "TEXT":
            extra = " " + e.dxf.text
        lines.append("%s %s%s" % (e.dxftype(), e.dxf.layer, extra))
    finish(out, "\n".join(lines) + "\n")


def ini(path, section, out):
    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str
    with open(path, encoding="gbk") as f:
        parser.read_file(f)
    finish(out, "".join("%s=%s\n" % (key, value) for key, value in parser.items(section)))


def compare(ref, png, out):
    if not os.path.exists(ref):
        finish(out, "missing\n")
        return
    size = subprocess.run(["identify", "-format", "%w %h", png], capture_output=True, text=True).stdout.split()
    r = subprocess.run(["compare", "-metric", "AE", ref, png, "null:"], capture_output=True, text=True)
    try:
        differ = int(float(r.stderr.split()[0]))
    except (IndexError, ValueError):
        differ = -1  # sizes differ, or the files could not be read
    from PIL import Image
    img = Image.open(ref).convert("RGB")
    back = img.getpixel((0, 0))
    inked = sum(1 for p in img.getdata() if p != back)
    finish(out, "differ %d\ntotal %d\ninked %d\n" %
           (differ, int(size[0]) * int(size[1]) if len(size) == 2 else 0, inked))


def to_screen(view, p):
    """The projection's WorldToScreen, truncated towards zero."""
    o = view["origin"]
    local = [sum(view["axes"][i][k] * (p[k] - o[k]) for k in range(3)) for i in range(3)]
    left, top, right, bottom = view["screen"]
    sx = (left + right) * 0.5 + (local[0] - view["centre"][0]) * view["scale"]
    sy = (top + bottom) * 0.5 - (local[1] - view["centre"][1]) * view["scale"]
    return int(sx), int(sy)


def grid_plane_to_world(view, x, y):
    """A point of the grid's plane: plan x-y at the platform's height, or the
    elevation's own coordinates through the view frame."""
    if view["mode"] == 1:
        return [x, y, view["platform"]]
    o = view["origin"]
    a = view["axes"]
    return [o[k] + x * a[0][k] + y * a[1][k] for k in range(3)]


def places(scene_file, png, out):
    from PIL import Image
    scene = json.load(open(scene_file))
    view = scene["view"]
    img = Image.open(png).convert("RGB")
    w, h = img.size

    def colour(x, y):
        if 0 <= x < w and 0 <= y < h:
            r, g, b = img.getpixel((x, y))
            return r | g << 8 | b << 16
        return -1

    lines = []
    for grid in scene["grids"]:
        a = math.radians(grid["angle"])
        line = grid["colour"]
        for u in grid["first"]:
            for v in grid["second"]:
                # LocalToGlobal: X = x cos a - y sin a + ox; Y = y cos a + x sin a + oy.
                gx = u * math.cos(a) - v * math.sin(a) + grid["origin"][0]
                gy = v * math.cos(a) + u * math.sin(a) + grid["origin"][1]
                sx, sy = to_screen(view, grid_plane_to_world(view, gx, gy))
                # Dotted lines: away from the crossing itself (4 to 8 pixels
                # along each line), the column through sx holds more ink than
                # its neighbours within 3 pixels, and the row through sy likewise.
                along = [d for d in range(-8, 9) if abs(d) > 3]
                cols = [sum(colour(sx + e, sy + d) == line for d in along) for e in range(-3, 4)]
                rows = [sum(colour(sx + d, sy + e) == line for d in along) for e in range(-3, 4)]
                good = cols[3] >= 2 and rows[3] >= 2 and cols[3] == max(cols) and rows[3] == max(rows) and \
                    cols.count(cols[3]) == 1 and rows.count(rows[3]) == 1
                lines.append("%s crossing %g,%g at %d,%d" % ("ok" if good else "bad", u, v, sx, sy))
    for node in scene["nodes"]:
        sx, sy = to_screen(view, node["at"])
        ink = [(x, y) for y in range(sy - 6, sy + 7) for x in range(sx - 6, sx + 7) if colour(x, y) == node["colour"]]
        good = colour(sx, sy) == node["colour"] and ink and \
            abs((min(x for x, _ in ink) + max(x for x, _ in ink)) / 2 - sx) <= 1 and \
            abs((min(y for _, y in ink) + max(y for _, y in ink)) / 2 - sy) <= 1
        lines.append("%s node %s at %d,%d" % ("ok" if good else "bad", node["at"], sx, sy))
    finish(out, "\n".join(lines) + "\n")


def gifinfo(path, out):
    import re
    from PIL import Image, ImageSequence
    text = subprocess.run(["gifsicle", "--info", path], capture_output=True, text=True).stdout
    lines = []
    m = re.search(r"(\d+) images?", text)
    lines.append("images %s" % (m.group(1) if m else "0"))
    if "loop forever" in text:
        lines.append("loop forever")
    else:
        m = re.search(r"loop count (\d+)", text)
        lines.append("loop %s" % (m.group(1) if m else "none"))
    for d in re.findall(r"delay ([0-9.]+)s", text):
        lines.append("delay %d" % round(float(d) * 100))
    with Image.open(path) as img:
        for i, frame in enumerate(ImageSequence.Iterator(img)):
            r, g, b = frame.convert("RGB").getpixel((0, 0))
            lines.append("frame %d %d,%d,%d" % (i, r, g, b))
    finish(out, "\n".join(lines) + "\n")


def wmf(path, out):
    import re
    with tempfile.TemporaryDirectory() as d:
        svg = os.path.join(d, "out.svg")
        r = subprocess.run(["wmf2svg", "-o", svg, path], capture_output=True, text=True)
        body = open(svg, encoding="latin-1").read() if os.path.exists(svg) else ""
    count = lambda tag: len(re.findall(r"<%s\b" % tag, body))
    finish(out, "status %d\nsvg %d\nlines %d\nellipses %d\ntexts %d\n" %
           (r.returncode, len(body), count("line") + count("polyline"), count("ellipse"), count("text")))


def pdfbox(path, out):
    from PIL import Image
    with tempfile.TemporaryDirectory() as d:
        subprocess.run(["pdftoppm", "-r", "30", "-f", "1", "-l", "1", "-png", path, os.path.join(d, "p")], check=True)
        name = [f for f in os.listdir(d) if f.endswith(".png")][0]
        img = Image.open(os.path.join(d, name)).convert("RGB")
    w, h = img.size
    px = img.load()
    xs, ys = [], []
    dark = coloured = 0
    for y in range(h):
        for x in range(w):
            r, g, b = px[x, y]
            if min(r, g, b) < 230:
                xs.append(x)
                ys.append(y)
            if (r + g + b) / 3 < 128:
                dark += 1
            if max(r, g, b) - min(r, g, b) > 60:
                coloured += 1
    box = (min(xs) / w, min(ys) / h, (max(xs) + 1) / w, (max(ys) + 1) / h) if xs else (0, 0, 0, 0)
    finish(out, "size %d %d\nbox %.3f %.3f %.3f %.3f\ndark %d\ncoloured %d\n" % ((w, h) + box + (dark, coloured)))


def section_region(region):
    """One outline as Shapely sees it: a closed ring (less its inner ring), or
    an open strip, the quadrilaterals between its pairs of points."""
    from shapely.geometry import Polygon
    from shapely.ops import unary_union
    outer, inner = region["ring1"], region["ring2"]
    if not inner:
        return Polygon(outer).buffer(0)
    if not region["open"]:
        return Polygon(outer, [inner]).buffer(0)
    quads = [Polygon([outer[i], outer[i + 1], inner[i + 1], inner[i]]).buffer(0) for i in range(len(outer) - 1)]
    return unary_union(quads)


def sections(path, out):
    from shapely.geometry import box
    from shapely.ops import unary_union
    lines = []
    for s in json.load(open(path, encoding="gbk")):
        shape = unary_union([section_region(r) for r in s["regions"]])
        # Circles and arcs are polygons of a few dozen points: their areas fall short by up to 1 %.
        tol = 0.01 if s["curved"] else 1e-6
        area = shape.area
        good = area > 0 and shape.is_valid
        text = "%s area %.9g" % (s["name"], area)
        if s["area"] >= 0:
            good = good and abs(area - s["area"]) <= tol * s["area"]
            text += " program %.9g" % s["area"]
        if s["split"]:
            x0, y0, x1, y1 = shape.bounds
            above = shape.intersection(box(x0 - 1, 0, x1 + 1, y1 + 1)).area
            below = shape.intersection(box(x0 - 1, y0 - 1, x1 + 1, 0)).area
            good = good and abs(above - below) <= tol * area
            text += " above %.9g below %.9g" % (above, below)
        lines.append(("ok " if good else "bad ") + text)
    finish(out, "\n".join(lines) + "\n")


if __name__ == "__main__":
    cmd = sys.argv[1]
    if cmd == "audit":
        audit(sys.argv[2], sys.argv[3])
    elif cmd == "ini":
        ini(sys.argv[2], sys.argv[3], sys.argv[4])
    elif cmd == "compare":
        compare(sys.argv[2], sys.argv[3], sys.argv[4])
    elif cmd == "places":
        places(sys.argv[2], sys.argv[3], sys.argv[4])
    elif cmd == "gifinfo":
        gifinfo(sys.argv[2], sys.argv[3])
    elif cmd == "wmf":
        wmf(sys.argv[2], sys.argv[3])
    elif cmd == "pdfbox":
        pdfbox(sys.argv[2], sys.argv[3])
    elif cmd == "sections":
        sections(sys.argv[2], sys.argv[3])
    else:
        sys.exit("unknown command " + cmd)
