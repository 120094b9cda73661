#!/usr/bin/env python3
"""Draws the assistant's finder cursor (resource 132): a bull's-eye with a
cross-hair, black with a white outline so that it shows on any window, its
hot spot at the centre. Run it again after a change; its output is committed
as assistant/res/finder.cur."""

import math
import os
import struct

OUT = os.path.join(os.path.dirname(__file__), "..", "..", "assistant", "res", "finder.cur")

SIZE = 32
CENTRE = 15


def shape():
    """The black pixels: a ring, a centre dot and four arms of a cross."""
    black = set()
    for y in range(SIZE):
        for x in range(SIZE):
            distance = math.hypot(x - CENTRE, y - CENTRE)
            ring = 9.0 <= distance <= 10.5
            dot = distance <= 1.5
            arm = (x == CENTRE and (3 <= abs(y - CENTRE) <= 13)) or (y == CENTRE and (3 <= abs(x - CENTRE) <= 13))
            if ring or dot or arm:
                black.add((x, y))
    return black


def outline(black):
    """White pixels round the black ones."""
    white = set()
    for (x, y) in black:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                p = (x + dx, y + dy)
                if p not in black and 0 <= p[0] < SIZE and 0 <= p[1] < SIZE:
                    white.add(p)
    return white


def mask_rows(pixels):
    """Rows of a 1-bit mask, bottom-up, each padded to four bytes."""
    data = bytearray()
    for y in reversed(range(SIZE)):
        row = bytearray(4)
        for x in range(SIZE):
            if (x, y) in pixels:
                row[x // 8] |= 0x80 >> (x % 8)
        data += row
    return data


def colour_rows(black, white):
    """Rows of 32-bit BGRA pixels, bottom-up: black and white opaque, the rest
    transparent."""
    data = bytearray()
    for y in reversed(range(SIZE)):
        for x in range(SIZE):
            if (x, y) in black:
                data += bytes((0, 0, 0, 255))
            elif (x, y) in white:
                data += bytes((255, 255, 255, 255))
            else:
                data += bytes((0, 0, 0, 0))
    return data


def cursor():
    # A colour cursor rather than a monochrome one: the finder button shows
    # the cursor as its icon image, and a button sizes an icon image by its
    # colour bitmap, which a monochrome cursor does not have.
    black = shape()
    white = outline(black)
    transparent = {(x, y) for x in range(SIZE) for y in range(SIZE)} - black - white
    colour = colour_rows(black, white)
    and_bits = mask_rows(transparent)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(colour) + len(and_bits), 0, 0, 0, 0)
    image = header + colour + and_bits
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, CENTRE, CENTRE, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(OUT, "wb") as f:
        f.write(cursor())
