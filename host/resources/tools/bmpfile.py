"""Writing and checking the uncompressed 24-bit Windows bitmaps the host carries.

Standard library only. Pictures are passed around as a list of rows, top row
first, each row a list of (red, green, blue) tuples of 0..255 integers.
The files are the form the renderer's reader takes: 14-byte file header,
40-byte BITMAPINFOHEADER, no palette, rows bottom-up (positive height),
blue-green-red triples, each row padded to a multiple of 4 bytes.
"""

import struct

FILE_HEADER_SIZE = 14
INFO_HEADER_SIZE = 40
PIXEL_OFFSET = FILE_HEADER_SIZE + INFO_HEADER_SIZE  # 54


def row_stride(width):
    return (width * 3 + 3) & ~3


def encode_bmp24(pixels):
    """Returns the bytes of a bottom-up 24-bit bitmap of `pixels`."""
    height = len(pixels)
    width = len(pixels[0])
    stride = row_stride(width)
    pad = b"\0" * (stride - width * 3)
    body = bytearray()
    for row in reversed(pixels):  # bottom row is stored first
        assert len(row) == width, "ragged picture"
        for r, g, b in row:
            body += bytes((_channel(b), _channel(g), _channel(r)))
        body += pad
    image_size = stride * height
    assert len(body) == image_size
    file_header = struct.pack("<2sIHHI", b"BM", PIXEL_OFFSET + image_size, 0, 0,
                              PIXEL_OFFSET)
    # 2835 pixels per metre is 72 dpi; readers ignore it.
    info_header = struct.pack("<IiiHHIIiiII", INFO_HEADER_SIZE, width, height, 1, 24,
                              0, image_size, 2835, 2835, 0, 0)
    return file_header + info_header + bytes(body)


def _channel(value):
    value = int(value)
    assert 0 <= value <= 255, "channel out of range: %r" % value
    return value


def decode_bmp24(data, width=None, height=None):
    """Checks `data` is exactly the form encode_bmp24 writes and returns its pixels.

    Raises AssertionError with a reason when a header field is wrong.
    """
    assert len(data) >= PIXEL_OFFSET, "shorter than the two headers"
    magic, file_size, res1, res2, offset = struct.unpack_from("<2sIHHI", data, 0)
    (info_size, w, h, planes, bits, compression, image_size,
     _xppm, _yppm, used, important) = struct.unpack_from("<IiiHHIIiiII", data,
                                                          FILE_HEADER_SIZE)
    assert magic == b"BM", "not a bitmap"
    assert info_size == INFO_HEADER_SIZE, "info header is %d bytes" % info_size
    assert offset == PIXEL_OFFSET, "pixel data at %d" % offset
    assert res1 == 0 and res2 == 0, "reserved fields set"
    assert w > 0 and h > 0, "size %d x %d (top-down or empty)" % (w, h)
    assert planes == 1 and bits == 24, "%d planes, %d bits" % (planes, bits)
    assert compression == 0, "compressed (%d)" % compression
    assert used == 0 and important == 0, "palette fields set"
    assert image_size == row_stride(w) * h, "biSizeImage %d" % image_size
    assert file_size == PIXEL_OFFSET + image_size == len(data), \
        "bfSize %d, file %d bytes" % (file_size, len(data))
    if width is not None:
        assert (w, h) == (width, height), "%d x %d, want %d x %d" % (w, h, width, height)
    stride = row_stride(w)
    rows = []
    for stored in range(h):
        start = PIXEL_OFFSET + stored * stride
        line = data[start:start + w * 3]
        assert data[start + w * 3:start + stride] == b"\0" * (stride - w * 3), \
            "row padding not zero"
        rows.append([(line[i + 2], line[i + 1], line[i]) for i in range(0, w * 3, 3)])
    rows.reverse()
    return rows


def write_bmp24(path, pixels):
    data = encode_bmp24(pixels)
    # Read back through the checker so a writer fault never reaches a commit.
    assert decode_bmp24(data) == [[tuple(int(c) for c in p) for p in row] for row in pixels]
    with open(path, "wb") as f:
        f.write(data)
    return data


def check_bmp24_file(path, width, height):
    with open(path, "rb") as f:
        return decode_bmp24(f.read(), width, height)


# Small colour helpers shared by the generators.

def hex_rgb(text):
    """'E0DCC9' -> (224, 220, 201); first pair red."""
    return (int(text[0:2], 16), int(text[2:4], 16), int(text[4:6], 16))


def mix(a, b, t):
    """Colour a blended toward b by t (0..1), rounded."""
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))
