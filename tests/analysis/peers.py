#!/usr/bin/python3
"""Helper of the picture round-trip tests, run with the system python (Pillow).

  pixels <picture> <out> [frame]   frame as RGBA: "W H\n" then the bytes
  info <gif> <out>                 frame count, loop and per-frame delay/disposal
  topdown <bmp> <out>              an uncompressed BMP rewritten top row first
  rle4 <picture> <out>             a 4-bit run-length BMP of a picture of <= 16 colours
  animation <out> <kind>           an animated GIF written by Pillow
  hls <in> <out>                   lines "rgb R G B" or "hls H L S" (0-255) through colorsys
"""
import colorsys
import struct
import sys

from PIL import Image


def pixels(path, out, frame=0):
    im = Image.open(path)
    im.seek(frame)
    rgba = im.convert("RGBA")
    with open(out, "wb") as f:
        f.write(b"%d %d\n" % rgba.size)
        f.write(rgba.tobytes())


def info(path, out):
    im = Image.open(path)
    lines = ["frames %d" % getattr(im, "n_frames", 1), "loop %s" % im.info.get("loop", "none")]
    for i in range(getattr(im, "n_frames", 1)):
        im.seek(i)
        lines.append("frame %d delay %d disposal %s" % (i, im.info.get("duration", 0), getattr(im, "disposal_method", 0)))
    with open(out, "w") as f:
        f.write("\n".join(lines) + "\n")


def topdown(path, out):
    data = bytearray(open(path, "rb").read())
    off, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bits, comp = struct.unpack_from("<HI", data, 28)
    assert comp == 0 and height > 0
    row = (width * bits + 31) // 32 * 4
    rows = [data[off + i * row: off + (i + 1) * row] for i in range(height)]
    struct.pack_into("<i", data, 22, -height)
    data[off:off + row * height] = b"".join(reversed(rows))
    open(out, "wb").write(bytes(data))


def rle4(path, out):
    im = Image.open(path).convert("RGB")
    colors = sorted({c for c in im.getdata()})
    assert len(colors) <= 16
    index = {c: i for i, c in enumerate(colors)}
    w, h = im.size
    px = im.load()
    body = bytearray()
    for y in range(h - 1, -1, -1):  # bottom row first
        line = [index[px[x, y]] for x in range(w)]
        x = 0
        while x < w:
            # a run of two alternating indices as long as possible (at most 255)
            n = 1
            while x + n < w and n < 255 and line[x + n] == line[x + (n % 2)]:
                n += 1
            if n >= 4 or x + n == w:
                a = line[x]
                b = line[x + 1] if n > 1 else a
                body += bytes([n, (a << 4) | b])
                x += n
            else:
                # an absolute run up to the next long run
                k = min(w - x, 255)
                if k < 3:
                    body += bytes([k, (line[x] << 4) | (line[x + 1] if k > 1 else 0)])
                    x += k
                    continue
                nib = line[x:x + k] + [0]
                packed = bytes((nib[i] << 4) | nib[i + 1] for i in range(0, k, 2))
                body += bytes([0, k]) + packed + (b"\0" if len(packed) % 2 else b"")
                x += k
        body += b"\0\0"
    body += b"\0\1"
    palette = b"".join(bytes([b, g, r, 0]) for (r, g, b) in colors) + b"\0\0\0\0" * (16 - len(colors))
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 2, len(body), 2835, 2835, 16, 0)
    off = 14 + len(header) + len(palette)
    open(out, "wb").write(b"BM" + struct.pack("<IHHI", off + len(body), 0, 0, off) + header + palette + body)


def animation(out, kind):
    w, h = 24, 18
    frames = []
    if kind == "local":
        # Frames of different colours: Pillow gives each its own colour table.
        for k in range(3):
            im = Image.new("RGB", (w, h), (40 * k, 200 - 50 * k, 90))
            for x in range(w):
                for y in range(h):
                    if (x // 4 + y // 3 + k) % 3 == 0:
                        im.putpixel((x, y), (255 - 60 * k, 30 * k, 10 + 70 * k))
            frames.append(im.convert("P", palette=Image.ADAPTIVE, colors=4 + 4 * k))
        frames[0].save(out, save_all=True, append_images=frames[1:], duration=[100, 200, 300], loop=0,
                       comment=b"made by Pillow")
    else:
        raise SystemExit("unknown kind " + kind)


def hls(inp, out):
    with open(inp) as f, open(out, "w") as o:
        for line in f:
            kind, a, b, c = line.split()
            a, b, c = int(a) / 255.0, int(b) / 255.0, int(c) / 255.0
            x, y, z = colorsys.rgb_to_hls(a, b, c) if kind == "rgb" else colorsys.hls_to_rgb(a, b, c)
            o.write("%d %d %d\n" % (int(x * 255), int(y * 255), int(z * 255)))


if __name__ == "__main__":
    cmd = sys.argv[1]
    if cmd == "pixels":
        pixels(sys.argv[2], sys.argv[3], int(sys.argv[4]) if len(sys.argv) > 4 else 0)
    elif cmd == "info":
        info(sys.argv[2], sys.argv[3])
    elif cmd == "topdown":
        topdown(sys.argv[2], sys.argv[3])
    elif cmd == "rle4":
        rle4(sys.argv[2], sys.argv[3])
    elif cmd == "animation":
        animation(sys.argv[2], sys.argv[3])
    elif cmd == "hls":
        hls(sys.argv[2], sys.argv[3])
    else:
        raise SystemExit("unknown command " + cmd)
