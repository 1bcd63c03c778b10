#!/usr/bin/env python3
"""Makes the 152 x 112 preview still from a capture of our own renderer.

The source is a 1024 x 768 capture of the running scene (for example the
screenshot.bmp that `scripts/run --seconds 8` leaves in build/run/). The
middle 1024 x 754 rows, which have the preview area's aspect ratio, are
averaged down to 152 x 112 (each output pixel the mean of the source pixels
it covers, weighted by the covered area).

Usage: make_preview.py CAPTURE.bmp [OUT.bmp]
"""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bmpfile  # noqa: E402

WIDTH, HEIGHT = 152, 112


def read_capture(path):
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + y * stride
        rows.append([(data[start + 3 * x + 2], data[start + 3 * x + 1], data[start + 3 * x])
                     for x in range(width)])
    if height > 0:
        rows.reverse()
    return rows


def area_average(rows, top, src_h, out_w, out_h):
    src_w = len(rows[0])
    sx, sy = src_w / out_w, src_h / out_h
    out = []
    for oy in range(out_h):
        y0, y1 = oy * sy, (oy + 1) * sy
        line = []
        for ox in range(out_w):
            x0, x1 = ox * sx, (ox + 1) * sx
            acc = [0.0, 0.0, 0.0]
            total = 0.0
            for y in range(int(y0), min(int(y1 + 0.999999), src_h)):
                wy = min(y + 1, y1) - max(y, y0)
                row = rows[top + y]
                for x in range(int(x0), min(int(x1 + 0.999999), src_w)):
                    w = wy * (min(x + 1, x1) - max(x, x0))
                    p = row[x]
                    acc[0] += w * p[0]
                    acc[1] += w * p[1]
                    acc[2] += w * p[2]
                    total += w
            line.append(tuple(min(255, round(c / total)) for c in acc))
        out.append(line)
    return out


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    out_path = sys.argv[2] if len(sys.argv) == 3 else os.path.join(
        os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "preview.bmp")
    rows = read_capture(sys.argv[1])
    src_h = round(len(rows[0]) * HEIGHT / WIDTH)
    top = (len(rows) - src_h) // 2
    bmpfile.write_bmp24(out_path, area_average(rows, top, src_h, WIDTH, HEIGHT))
    bmpfile.check_bmp24_file(out_path, WIDTH, HEIGHT)
    print("wrote", out_path)


if __name__ == "__main__":
    main()
