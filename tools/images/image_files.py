"""The file formats the image scripts write: icons (32-bit images with their
AND masks) and 24-bit BMP files. Pictures are rows of (r, g, b) tuples,
top row first; None is a transparent pixel of an icon."""

import struct


def icon_dib(rows):
    """A bottom-up 32-bit DIB with its AND mask, as an icon file holds it."""
    height, width = len(rows), len(rows[0])
    pixels = bytearray()
    for row in reversed(rows):
        for color in row:
            if color is None:
                pixels += bytes((0, 0, 0, 0))
            else:
                r, g, b = color
                pixels += bytes((b, g, r, 255))
    stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, color in enumerate(row):
            if color is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def write_icon(path, draw, sizes):
    """An icon file with one image of `draw(size)` for each size."""
    images = [icon_dib(draw(size)) for size in sizes]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        data += image
    with open(path, "wb") as f:
        f.write(data)


def write_bitmap(path, rows):
    """A 24-bit BMP file of the rows."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + pixels)
