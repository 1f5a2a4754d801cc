#!/usr/bin/python3
"""Helper of the framework's output tests, run with the system python.

  pdf <pdf> <out>   pdftoppm and pdftotext read the first page; <out> (GBK) gets
                    "pages N", "size W H" (pixels at 30 dpi), "dark X0 Y0 X1 Y1 F"
                    for the fractions of dark pixels in the page's quarters
                    (rows of four numbers: columns 0-3 of row r), then "text ..."
It writes <out> whole (by renaming), so a program may wait for it to appear.
"""
import os
import subprocess
import sys
import tempfile


def pdf(path, out):
    lines = []
    info = subprocess.run(["pdfinfo", path], capture_output=True, text=True).stdout
    pages = [l.split()[-1] for l in info.splitlines() if l.startswith("Pages:")]
    lines.append("pages %s" % (pages[0] if pages else "0"))
    with tempfile.TemporaryDirectory() as d:
        subprocess.run(["pdftoppm", "-r", "30", "-gray", "-f", "1", "-l", "1", path, os.path.join(d, "p")], check=True)
        name = [f for f in os.listdir(d) if f.endswith(".pgm")][0]
        data = open(os.path.join(d, name), "rb").read()
    # Binary PGM: "P5\nW H\n255\n" then the pixels.
    parts = data.split(b"\n", 3)
    w, h = map(int, parts[1].split())
    pixels = parts[3]
    lines.append("size %d %d" % (w, h))
    for r in range(4):
        row = []
        for c in range(4):
            x0, x1, y0, y1 = c * w // 4, (c + 1) * w // 4, r * h // 4, (r + 1) * h // 4
            dark = total = 0
            for y in range(y0, y1):
                line = pixels[y * w + x0:y * w + x1]
                dark += sum(1 for v in line if v < 128)
                total += len(line)
            row.append("%.3f" % (dark / total if total else 0))
        lines.append("dark " + " ".join(row))
    text = subprocess.run(["pdftotext", "-f", "1", "-l", "1", path, "-"], capture_output=True).stdout.decode("utf-8", "replace")
    lines.append("text " + " ".join(text.split()))
    with open(out + ".part", "w", encoding="gbk", errors="replace") as f:
        f.write("\n".join(lines) + "\n")
    os.replace(out + ".part", out)


if __name__ == "__main__":
    if sys.argv[1] == "pdf":
        pdf(sys.argv[2], sys.argv[3])
    else:
        sys.exit("unknown command " + sys.argv[1])
