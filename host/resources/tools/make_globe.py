#!/usr/bin/python3
"""Maintainer tool: makes globe.bmp, the 96 x 96 globe texture, from a NASA Earth map.

Needs Python Imaging Library (Debian: apt-get install python3-pil) to decode the
source JPEG, and the source itself (Debian: apt-get install xplanet-images).
Builds never run this: its output, host/resources/globe.bmp, is committed.

The source /usr/share/xplanet/images/earth.jpg is a 2048 x 1024 equirectangular
NASA Visible Earth map (not copyrighted; see host/resources/README.md). It has no
clouds, so this tool adds a deterministic cloud layer (seeded value noise, denser
in the storm belts and along the equator, sparse over the subtropical deserts),
lifts the very dark ocean to a clearer blue so it still reads as sea on a small
spinning globe, and scales the map to 96 x 96 (north up, longitude 180 W at the
left edge; the cloud layer wraps around so the globe shows no seam).

Usage: make_globe.py [--source PATH] [--out PATH] [--preview PNG]
"""

import argparse
import math
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from bmpfile import check_bmp24_file, write_bmp24  # noqa: E402
from value_noise import fbm  # noqa: E402

SOURCE = "/usr/share/xplanet/images/earth.jpg"
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "globe.bmp")
SIZE = 96
WORK_W, WORK_H = 512, 256  # clouds are laid at this size, then the map is scaled down
CLOUD_SEED = 1977
CLOUD_CELLS = 16  # noise cells around the equator
CLOUD_WHITE = (246, 248, 252)


def smoothstep(edge0, edge1, x):
    t = min(1.0, max(0.0, (x - edge0) / (edge1 - edge0)))
    return t * t * (3.0 - 2.0 * t)


def cloud_threshold(latitude):
    """Noise level above which cloud forms; lower means more cloud."""
    lat = abs(latitude)
    equator = math.exp(-(lat / 8.0) ** 2)               # tropical convergence band
    storm = math.exp(-((lat - 52.0) / 13.0) ** 2)       # mid-latitude storm tracks
    desert = math.exp(-((lat - 24.0) / 7.0) ** 2)       # subtropical highs stay clear
    return 0.52 - 0.07 * equator - 0.09 * storm + 0.06 * desert


def cloud_cover(x, y):
    """Cloud opacity 0..1 at working pixel (x, y)."""
    u = (x + 0.5) / WORK_W * CLOUD_CELLS
    v = (y + 0.5) / WORK_H * CLOUD_CELLS * 0.8  # cells wider than tall: zonal bands
    # A coarse warp bends the cloud bands into streaks and swirls.
    warp = fbm(u * 0.5, v * 0.5, CLOUD_SEED + 7, octaves=2, period_x=CLOUD_CELLS // 2)
    n = fbm(u + 1.5 * warp, v + 0.5 * warp, CLOUD_SEED, octaves=6, period_x=CLOUD_CELLS,
            gain=0.6)
    latitude = 90.0 - (y + 0.5) / WORK_H * 180.0
    t = cloud_threshold(latitude)
    return 0.8 * smoothstep(t, t + 0.2, n) ** 1.5


def lift_ocean(rgb):
    """Brightens sea pixels (blue well above red and green); land is left alone."""
    r, g, b = rgb
    sea = min(1.0, max(0.0, (b - max(r, g) - 10) / 40.0))
    return (r + 6 * sea, g + 34 * sea, b + 62 * sea)


def make_globe(source):
    from PIL import Image  # maintainer-only dependency

    earth = Image.open(source).convert("RGB")
    assert earth.size[0] == 2 * earth.size[1], "source is not an equirectangular map"
    work = earth.resize((WORK_W, WORK_H), Image.LANCZOS)
    src = work.load()
    layered = Image.new("RGB", (WORK_W, WORK_H))
    dst = layered.load()
    for y in range(WORK_H):
        for x in range(WORK_W):
            base = lift_ocean(src[x, y])
            a = cloud_cover(x, y)
            dst[x, y] = tuple(int(round(min(255.0, c + (w - c) * a)))
                              for c, w in zip(base, CLOUD_WHITE))
    small = layered.resize((SIZE, SIZE), Image.LANCZOS)
    px = small.load()
    return [[px[x, y] for x in range(SIZE)] for y in range(SIZE)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", default=SOURCE)
    parser.add_argument("--out", default=OUT)
    parser.add_argument("--preview", help="also write an enlarged PNG to look at")
    args = parser.parse_args()

    pixels = make_globe(args.source)
    write_bmp24(args.out, pixels)
    assert check_bmp24_file(args.out, SIZE, SIZE) == [list(r) for r in pixels]
    assert os.path.getsize(args.out) == 54 + SIZE * SIZE * 3

    if args.preview:
        from PIL import Image
        img = Image.new("RGB", (SIZE, SIZE))
        img.putdata([p for row in pixels for p in row])
        img.resize((SIZE * 5, SIZE * 5), Image.NEAREST).save(args.preview)
    print("wrote %s (%d x %d)" % (os.path.normpath(args.out), SIZE, SIZE))


if __name__ == "__main__":
    main()
