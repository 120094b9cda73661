#!/usr/bin/env python3
"""Writes each 24-bit BMP file given as a PNG file of the same name in the
output folder: with a palette when the picture has at most 256 colours (as
window pictures mostly have), else as RGB. --crop keeps the rectangle of
that left edge, top edge, width and height only.

    png_from_bmp.py [--crop LEFT,TOP,WIDTH,HEIGHT] OUTPUT_FOLDER PICTURE.bmp...
"""

import os
import struct
import sys
import zlib


def read_bitmap(path):
    """The rows of (r, g, b) tuples of a 24-bit BI_RGB BMP file, top row first."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 24 or compression != 0:
        raise ValueError(f"{path}: not a 24-bit uncompressed BMP file")
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + y * stride
        line = data[start:start + width * 3]
        rows.append([(line[x + 2], line[x + 1], line[x]) for x in range(0, width * 3, 3)])
    return rows if height < 0 else rows[::-1]


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def png_bytes(rows):
    height, width = len(rows), len(rows[0])
    colors = sorted({color for row in rows for color in row})
    if len(colors) <= 256:
        index = {color: i for i, color in enumerate(colors)}
        header = struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0)
        extra = chunk(b"PLTE", b"".join(bytes(color) for color in colors))
        raw = b"".join(b"\x00" + bytes(index[color] for color in row) for row in rows)
    else:
        header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
        extra = b""
        raw = b"".join(b"\x00" + b"".join(bytes(color) for color in row) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def main(arguments):
    crop = None
    if arguments[:1] == ["--crop"]:
        crop = [int(value) for value in arguments[1].split(",")]
        arguments = arguments[2:]
    if len(arguments) < 2:
        sys.exit(__doc__)
    folder, pictures = arguments[0], arguments[1:]
    for picture in pictures:
        rows = read_bitmap(picture)
        if crop:
            left, top, width, height = crop
            rows = [row[left:left + width] for row in rows[top:top + height]]
        name = os.path.splitext(os.path.basename(picture))[0] + ".png"
        with open(os.path.join(folder, name), "wb") as f:
            f.write(png_bytes(rows))


if __name__ == "__main__":
    main(sys.argv[1:])
