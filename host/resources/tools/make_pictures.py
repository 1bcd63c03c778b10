#!/usr/bin/python3
"""Makes the host's drawn pictures (standard library only, deterministic).

  glow.bmp                256 x 256  grey cloud-like glow, black at the edges
  button_<skin>.bmp        64 x 25   the six skins of the button control
  mark_unselected.bmp      12 x 12   selection mark of an unchosen music kind
  mark_selected.bmp        12 x 12   selection mark of the chosen kind
  vantrel.ico         32 x 32 and 16 x 16, 256 colours and 32-bit

Usage: make_pictures.py            write them into host/resources/
       make_pictures.py --check    rebuild in memory and fail unless the files there
                                   are byte for byte the same (globe.bmp, made by
                                   make_globe.py, is only checked for its format)
"""

import math
import os
import struct
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from bmpfile import decode_bmp24, encode_bmp24, hex_rgb, mix  # noqa: E402
from value_noise import fbm  # noqa: E402

RESOURCES = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

# ---------------------------------------------------------------------------
# Glow texture

GLOW_SIZE = 256
GLOW_SEED = 2002
GLOW_RADIUS = 125.0  # falloff reaches 0 inside the 128-pixel half width


def glow_pixels():
    c = (GLOW_SIZE - 1) / 2.0
    rows = []
    for y in range(GLOW_SIZE):
        row = []
        for x in range(GLOW_SIZE):
            dx, dy = (x - c) / GLOW_RADIUS, (y - c) / GLOW_RADIUS
            r = math.hypot(dx, dy)
            # A noisy radius makes the outline billow instead of being a disc.
            # noise sampled on turned axes so that its lattice does not line up
            # with the picture's rows and columns
            u, v = 0.866 * x + 0.5 * y, 0.866 * y - 0.5 * x
            edge = fbm(u / 64.0, v / 64.0, GLOW_SEED + 1, octaves=3)
            r *= 1.0 + 0.35 * edge  # only ever pulls the outline in: r >= 1 stays black
            falloff = max(0.0, 1.0 - r * r) ** 1.8
            puff = fbm(u / 44.0 + 9.0, v / 44.0 + 9.0, GLOW_SEED, octaves=4, gain=0.55)
            v = 255.0 * falloff * (0.30 + 1.05 * puff)
            g = int(round(min(255.0, v)))
            if x in (0, GLOW_SIZE - 1) or y in (0, GLOW_SIZE - 1):
                g = 0  # additive sprites must show no square edge
            row.append((g, g, g))
        rows.append(row)
    return rows


def check_glow(rows):
    n = GLOW_SIZE
    assert all(p[0] == p[1] == p[2] for row in rows for p in row), "glow is not grey"
    border = rows[0] + rows[-1] + [row[0] for row in rows] + [row[-1] for row in rows]
    assert all(p == (0, 0, 0) for p in border), "glow border is not black"
    assert max(rows[y][x][0] for y in range(n) for x in (1, 2, n - 3, n - 2)) <= 2
    assert max(rows[y][x][0] for x in range(n) for y in (1, 2, n - 3, n - 2)) <= 2
    centre = [rows[y][x][0] for y in range(118, 138) for x in range(118, 138)]
    assert sum(centre) / len(centre) > 140, "glow centre too dim"
    assert max(centre) - min(centre) > 20, "glow centre has no cloud texture"


# ---------------------------------------------------------------------------
# Button skins: a 64 x 25 rounded outline; the control paints only the outer
# four pixels, the centre shows the face gradient and is filled with it here
# so that each skin also reads as a whole button on its own.

SKIN_W, SKIN_H = 64, 25
FACE_WHITE = hex_rgb("FFFFFF")
FACE_TINT = hex_rgb("C6C5D7")
FRAME_BLUE = hex_rgb("003C74")


def _const(colour):
    return lambda t: colour


def _ramp(top, bottom):
    return lambda t: mix(top, bottom, t)


SKINS = {
    # name: outer rings (outermost first, each a function of t = 0 top .. 1 bottom),
    # frame colour, band top rows, band bottom rows, left side, right side, centre
    "Normal": dict(
        rings=[_ramp(hex_rgb("E0DCC9"), hex_rgb("F8F7F0"))], frame=FRAME_BLUE,
        top=[hex_rgb("F3F3EE")] * 2, bottom=[hex_rgb("E2DFD6"), hex_rgb("D6D0C5")],
        left=_ramp(hex_rgb("FDFDFC"), hex_rgb("ECEBE6")),
        right=_ramp(hex_rgb("FBFBFA"), hex_rgb("E0DDD4")),
        centre=_ramp(FACE_WHITE, FACE_TINT)),
    "HighLight": dict(
        rings=[_ramp(hex_rgb("E0DCC9"), hex_rgb("F8F7F0"))], frame=FRAME_BLUE,
        top=[hex_rgb("FFF0CF"), hex_rgb("FDD889")],
        bottom=[hex_rgb("F8B330"), hex_rgb("E59700")],
        left=_ramp(hex_rgb("FEDF9A"), hex_rgb("F8B435")),
        right=_ramp(hex_rgb("FEDF9A"), hex_rgb("F8B435")),
        centre=_ramp(FACE_TINT, FACE_WHITE)),
    "Selected": dict(
        rings=[_ramp(hex_rgb("E0DCC9"), hex_rgb("F8F7F0"))], frame=FRAME_BLUE,
        top=[hex_rgb("CEE7FF")] * 2, bottom=[hex_rgb("6982EE")] * 2,
        left=_ramp(hex_rgb("B7D0F4"), hex_rgb("8BADE4")),
        right=_ramp(hex_rgb("B7D0F4"), hex_rgb("8BADE4")),
        centre=_ramp(FACE_WHITE, FACE_TINT)),
    "Pressed": dict(
        rings=[_const(hex_rgb("ECE9D8")), _const(hex_rgb("E0DCC9"))], frame=FRAME_BLUE,
        top=[hex_rgb("D1CCC1"), hex_rgb("DCD8CF")],
        bottom=[hex_rgb("EAE9E3"), hex_rgb("F2F1EE")],
        left=_const(hex_rgb("D7D4CB")), right=_const(hex_rgb("E4E3DC")),
        centre=_ramp(FACE_TINT, FACE_WHITE)),
    "Disable": dict(
        rings=[_const(hex_rgb("ECE9D8"))], frame=hex_rgb("C9C7BA"),
        top=[hex_rgb("F5F4EA")] * 2, bottom=[hex_rgb("F5F4EA")] * 2,
        left=_const(hex_rgb("F5F4EA")), right=_const(hex_rgb("F5F4EA")),
        centre=_const(hex_rgb("F5F4EA"))),
}
SKINS["HighLightSelect"] = SKINS["HighLight"]  # the two have identical pixels

SKIN_FILES = [("Normal", "button_normal.bmp"), ("HighLight", "button_highlight.bmp"),
              ("Selected", "button_selected.bmp"),
              ("HighLightSelect", "button_highlightselect.bmp"),
              ("Pressed", "button_pressed.bmp"), ("Disable", "button_disable.bmp")]


def skin_pixels(look):
    w, h = SKIN_W, SKIN_H
    f = len(look["rings"])  # ring index of the frame line
    band0, band1 = f + 1, f + 2

    def base(x, y):
        t = y / (h - 1.0)
        d = min(x, y, w - 1 - x, h - 1 - y)
        if d < f:
            return look["rings"][d](t)
        if d == f:
            return look["frame"]
        if d > band1:
            return look["centre"]((y - band1 - 1) / (h - 2 * band1 - 3.0))
        side_t = (y - band0) / (h - 2 * band0 - 1.0)
        side = None
        if x <= band1:
            side = look["left"](side_t)
        elif x >= w - 1 - band1:
            side = look["right"](side_t)
        row = None
        if y <= band1:
            row = look["top"][y - band0]
        elif y >= h - 1 - band1:
            row = look["bottom"][y - (h - 1 - band1)]
        if row and side:
            return mix(row, side, 0.5)  # where a side meets a row band
        return row or side

    rows = [[base(x, y) for x in range(w)] for y in range(h)]
    # Round the frame's corners: its corner pixel fades toward the ring outside,
    # and the band pixel diagonally inside it takes a little of the frame colour.
    for cx, cy, sx, sy in ((f, f, 1, 1), (w - 1 - f, f, -1, 1),
                           (f, h - 1 - f, 1, -1), (w - 1 - f, h - 1 - f, -1, -1)):
        outside = rows[cy - sy][cx]
        rows[cy][cx] = mix(outside, look["frame"], 0.40)
        rows[cy + sy][cx + sx] = mix(rows[cy + sy][cx + sx], look["frame"], 0.30)
    return rows


def check_skin(name, rows):
    look = SKINS[name]
    f = len(look["rings"])
    assert len(rows) == SKIN_H and all(len(r) == SKIN_W for r in rows)
    for x in range(f + 1, SKIN_W - 1 - f):  # straight runs of the frame line
        assert rows[f][x] == look["frame"] == rows[SKIN_H - 1 - f][x], name
    for y in range(f + 1, SKIN_H - 1 - f):
        assert rows[y][f] == look["frame"] == rows[y][SKIN_W - 1 - f], name
    assert rows[0][SKIN_W // 2] == look["rings"][0](0.0), name
    assert rows[f + 1][SKIN_W // 2] == look["top"][0], name
    assert rows[SKIN_H - 2 - f][SKIN_W // 2] == look["bottom"][1], name
    assert rows[f][f] != look["frame"], name + ": corner not rounded"


# ---------------------------------------------------------------------------
# Supersampled drawing for the small marks and the icon

def render(size, shade, samples=8):
    """Averages shade(x, y) -> (r, g, b, a) over samples^2 points per pixel.

    Colour is averaged weighted by coverage, so edges blend toward nothing
    rather than toward black; the caller composites onto its background.
    """
    out = []
    step = 1.0 / samples
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for j in range(samples):
                for i in range(samples):
                    r, g, b, a = shade(px + (i + 0.5) * step, py + (j + 0.5) * step)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = samples * samples
            a = acc[3] / n
            if a > 0:
                row.append((acc[0] / acc[3], acc[1] / acc[3], acc[2] / acc[3], a))
            else:
                row.append((0.0, 0.0, 0.0, 0.0))
        out.append(row)
    return out


def over(background, rgba_rows):
    return [[tuple(int(round(c + (s - c) * p[3])) for c, s in zip(background, p[:3]))
             for p in row] for row in rgba_rows]


# ---------------------------------------------------------------------------
# Selection marks: a round radio mark, 12 x 12, drawn on the pale grey of the
# settings panel where the marks stand (the panel gradient is about 222..250
# there).

MARK_SIZE = 12
MARK_BACKGROUND = (238, 238, 238)
MARK_RING = hex_rgb("1C5180")
MARK_DOT_TOP = hex_rgb("7DB8FF")
MARK_DOT_BOTTOM = hex_rgb("1B4FC4")


def mark_shader(selected):
    c = MARK_SIZE / 2.0
    outer, inner, dot = 5.5, 4.5, 2.4

    def shade(x, y):
        d = math.hypot(x - c, y - c)
        if d > outer:
            return (0, 0, 0, 0.0)
        if d > inner:
            return MARK_RING + (1.0,)
        if selected and d <= dot:
            # lit from above: pale at the top of the dot, deep blue below
            return mix(MARK_DOT_TOP, MARK_DOT_BOTTOM, (y - (c - dot)) / (2 * dot)) + (1.0,)
        return mix(FACE_WHITE, FACE_TINT, (y - (c - inner)) / (2 * inner)) + (1.0,)

    return shade


def mark_pixels(selected):
    return over(MARK_BACKGROUND, render(MARK_SIZE, mark_shader(selected)))


def check_marks(unselected, selected):
    for rows in (unselected, selected):
        assert len(rows) == MARK_SIZE and all(len(r) == MARK_SIZE for r in rows)
        assert rows[0][0] == MARK_BACKGROUND  # the corners show the panel grey
    differs = [(x, y) for y in range(MARK_SIZE) for x in range(MARK_SIZE)
               if unselected[y][x] != selected[y][x]]
    assert differs and all(3 <= x <= 8 and 3 <= y <= 8 for x, y in differs), \
        "the marks must differ only by the centre dot"
    r, g, b = selected[6][6]
    assert b > r + 60, "selected dot is not blue"


# ---------------------------------------------------------------------------
# Icon: the scene in small: a tilted ring of blue globes around a warm glow,
# on a rounded night-blue tile.

ICON_SKY_TOP = (20, 30, 78)
ICON_SKY_BOTTOM = (3, 6, 22)
ICON_STARS = [(5.5, 6.5), (25.5, 4.5), (27.5, 26.5), (7.5, 26.5), (13.5, 3.5), (3.5, 16.5)]
ICON_RING_TILT = math.radians(-20)
ICON_RING_A, ICON_RING_B = 11.5, 4.4  # half axes of the ring, in 32-pixel units
ICON_GLOBES = 6
ICON_ORBIT = (120, 175, 255)


def _ring_frame(x, y):
    """(x, y) in 32-pixel units -> coordinates along the ring's own axes."""
    dx, dy = x - 16.0, y - 16.0
    c, s = math.cos(ICON_RING_TILT), math.sin(ICON_RING_TILT)
    return dx * c + dy * s, -dx * s + dy * c


def _globe_positions():
    """(x, y, radius, depth) of each globe in 32-pixel units; depth +1 is nearest."""
    out = []
    c, s = math.cos(ICON_RING_TILT), math.sin(ICON_RING_TILT)
    for k in range(ICON_GLOBES):
        a = 2 * math.pi * (k + 0.25) / ICON_GLOBES
        ex, ey = ICON_RING_A * math.cos(a), ICON_RING_B * math.sin(a)
        depth = math.sin(a)  # the near side of the ring is the lower one
        out.append((16 + ex * c - ey * s, 16 + ex * s + ey * c, 2.3 + 0.8 * depth, depth))
    return out


def icon_shader(size):
    unit = size / 32.0
    globes = _globe_positions()
    corner = 6.0
    stars = ICON_STARS if size >= 32 else ICON_STARS[:3]

    def globe_colour(x, y, gx, gy, gr, depth):
        # lit from the top left, the far ones dimmer
        nx, ny = (x - gx) / gr, (y - gy) / gr
        light = min(1.0, max(0.0, 0.55 - 0.6 * (nx + ny) * 0.7071))
        colour = mix((18, 58, 150), (150, 210, 255), light)
        return mix(colour, (12, 22, 64), 0.25 * (1 - depth))

    def orbit_alpha(x, y):
        u, v = _ring_frame(x, y)
        f = (u / ICON_RING_A) ** 2 + (v / ICON_RING_B) ** 2 - 1.0
        grad = 2.0 * math.hypot(u / ICON_RING_A ** 2, v / ICON_RING_B ** 2)
        distance = abs(f) / max(grad, 1e-6)
        return max(0.0, 1.0 - distance / (0.55 / unit)), v > 0

    def shade(px, py):
        x, y = px / unit, py / unit  # work in 32-pixel units at every size
        qx = min(max(x, corner), 32 - corner)
        qy = min(max(y, corner), 32 - corner)
        if math.hypot(x - qx, y - qy) > corner:
            return (0, 0, 0, 0.0)
        colour = mix(ICON_SKY_TOP, ICON_SKY_BOTTOM, y / 32.0)
        for sx, sy in stars:
            if math.hypot(x - sx, y - sy) < 0.6 / min(unit, 1.0):
                colour = (175, 180, 200)
        line, near = orbit_alpha(x, y)
        for front in (False, True):
            if line and near == front:
                colour = mix(colour, ICON_ORBIT, line * (0.8 if front else 0.45))
            if front:
                # the red-orange glow in the middle, white-hot at its heart
                r = math.hypot(x - 16.0, y - 16.0) / 10.5
                if r < 1:
                    k = (1 - r) ** 1.5
                    glow = mix((205, 45, 8), (255, 228, 160), k ** 1.3)
                    colour = mix(colour, glow, min(1.0, 1.5 * k))
            for gx, gy, gr, depth in globes:
                if (depth > 0) == front and math.hypot(x - gx, y - gy) <= gr:
                    colour = globe_colour(x, y, gx, gy, gr, depth)
        return colour + (1.0,)

    return shade


def icon_rgba(size):
    rows = render(size, icon_shader(size), samples=6)
    return [[tuple(int(round(c)) for c in p[:3]) + (int(round(p[3] * 255)),) for p in row]
            for row in rows]


def median_cut(colours, limit=256):
    """A palette of at most `limit` colours for a {colour: count} table."""
    if len(colours) <= limit:
        return sorted(colours)
    boxes = [sorted(colours.items())]
    while len(boxes) < limit:
        best, axis, spread = None, 0, -1
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for ch in range(3):
                vals = [c[ch] for c, _ in box]
                if max(vals) - min(vals) > spread:
                    best, axis, spread = i, ch, max(vals) - min(vals)
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda e: (e[0][axis], e[0]))
        total = sum(n for _, n in box)
        run, cut = 0, 1
        for cut in range(1, len(box)):
            run += box[cut - 1][1]
            if run * 2 >= total:
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(int(round(sum(c[ch] * n for c, n in box) / total))
                             for ch in range(3)))
    return sorted(set(palette))


def _mask_rows(rgba, size):
    stride = ((size + 31) // 32) * 4
    data = bytearray()
    for row in reversed(rgba):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        data += bits
    return bytes(data)


def _icon_info(size, bits, image_bytes, colours):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, image_bytes,
                       0, 0, colours, 0)


def icon_image_8bit(rgba):
    size = len(rgba)
    counts = {}
    for row in rgba:
        for p in row:
            if p[3] >= 128:
                counts[p[:3]] = counts.get(p[:3], 0) + 1
    palette = median_cut(counts, 255)
    palette = [(0, 0, 0)] + [c for c in palette if c != (0, 0, 0)]
    palette += [(0, 0, 0)] * (256 - len(palette))
    cache = {}

    def index(c):
        if c not in cache:
            cache[c] = min(range(256), key=lambda i: (sum((a - b) ** 2 for a, b in
                                                          zip(c, palette[i])), i))
        return cache[c]

    stride = (size + 3) & ~3
    xor = bytearray()
    for row in reversed(rgba):
        line = bytearray(index(p[:3]) if p[3] >= 128 else 0 for p in row)
        xor += line + b"\0" * (stride - size)
    mask = _mask_rows(rgba, size)
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    body = pal + bytes(xor) + mask
    return _icon_info(size, 8, len(xor) + len(mask), 256) + body


def icon_image_32bit(rgba):
    size = len(rgba)
    xor = bytearray()
    for row in reversed(rgba):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask = _mask_rows(rgba, size)
    return _icon_info(size, 32, len(xor) + len(mask), 0) + bytes(xor) + mask


def encode_icon():
    images = []
    for size in (32, 16):
        rgba = icon_rgba(size)
        images.append((size, 8, icon_image_8bit(rgba)))
        images.append((size, 32, icon_image_32bit(rgba)))
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for size, bits, blob in images:
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return header + entries + blobs


def check_icon(data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert reserved == 0 and kind == 1 and count >= 1, "not an icon file"
    found = set()
    end = 6 + 16 * count
    for i in range(count):
        w, h, colours, _, planes, bits, length, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        assert offset == end and offset + length <= len(data), "icon entries out of place"
        end += length
        info, width, height2, planes2, bitcount = struct.unpack_from("<IiiHH", data, offset)
        assert info == 40 and planes == 1 and planes2 == 1 and bitcount == bits
        assert (width, height2) == (w, 2 * h), "icon image %d is not %d x %d" % (i, w, h)
        assert colours == (0 if bits >= 8 else 1 << bits)
        palette = 256 * 4 if bits == 8 else 0
        xor = ((w * bits + 31) // 32) * 4 * h
        mask = ((w + 31) // 32) * 4 * h
        assert length == 40 + palette + xor + mask, "icon image %d has %d bytes" % (i, length)
        found.add((w, bits))
    assert end == len(data), "trailing bytes in the icon file"
    assert (32, 8) in found, "no 32 x 32, 256-colour image"


# ---------------------------------------------------------------------------

def build():
    """Returns {file name: bytes} for every picture this tool makes."""
    out = {}
    glow = glow_pixels()
    check_glow(glow)
    out["glow.bmp"] = encode_bmp24(glow)
    for name, file_name in SKIN_FILES:
        rows = skin_pixels(SKINS[name])
        check_skin(name, rows)
        out[file_name] = encode_bmp24(rows)
    unselected, selected = mark_pixels(False), mark_pixels(True)
    check_marks(unselected, selected)
    out["mark_unselected.bmp"] = encode_bmp24(unselected)
    out["mark_selected.bmp"] = encode_bmp24(selected)
    icon = encode_icon()
    check_icon(icon)
    out["vantrel.ico"] = icon
    return out


SIZES = {"glow.bmp": (GLOW_SIZE, GLOW_SIZE), "mark_unselected.bmp": (MARK_SIZE, MARK_SIZE),
         "mark_selected.bmp": (MARK_SIZE, MARK_SIZE), "globe.bmp": (96, 96)}
SIZES.update({f: (SKIN_W, SKIN_H) for _, f in SKIN_FILES})


def check_written(pictures):
    """Reads the files back and checks every header field."""
    for name, (w, h) in SIZES.items():
        with open(os.path.join(RESOURCES, name), "rb") as f:
            data = f.read()
        decode_bmp24(data, w, h)
        if name in pictures:
            assert data == pictures[name], name + " differs from what this tool makes"
    with open(os.path.join(RESOURCES, "vantrel.ico"), "rb") as f:
        check_icon(f.read())
    assert pictures["button_highlight.bmp"] == pictures["button_highlightselect.bmp"]


def main(argv):
    pictures = build()
    if "--check" not in argv:
        for name, data in pictures.items():
            with open(os.path.join(RESOURCES, name), "wb") as f:
                f.write(data)
            print("wrote %s (%d bytes)" % (name, len(data)))
    check_written(pictures)
    print("all pictures in %s check out" % RESOURCES)


if __name__ == "__main__":
    main(sys.argv[1:])
