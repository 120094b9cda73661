#!/usr/bin/env python3
"""Draws the setup program's pictures: the program icon, the header icon and
the welcome picture (an I-section on drafting paper). Run it again after a
change; its outputs are committed under setup/res/."""

import os
from image_files import write_bitmap, write_icon

OUT = os.path.join(os.path.dirname(__file__), "..", "..", "setup", "res")

STEEL = (70, 98, 130)
STEEL_LIGHT = (150, 176, 204)
GRID = (205, 220, 235)
PAPER = (244, 248, 252)
INK = (30, 60, 100)
GREEN = (0, 128, 64)


def i_section(width, height, cx, cy, scale):
    """Pixels of an I-section outline filled: flanges and web, centred."""
    flange_w, flange_t, web_t, depth = 0.9 * scale, 0.16 * scale, 0.14 * scale, 1.1 * scale
    pixels = set()
    for y in range(height):
        for x in range(width):
            dx, dy = x - cx, y - cy
            in_flange = abs(dx) <= flange_w / 2 and depth / 2 - flange_t <= abs(dy) <= depth / 2
            in_web = abs(dx) <= web_t / 2 and abs(dy) <= depth / 2
            if in_flange or in_web:
                pixels.add((x, y))
    return pixels


def icon_image(size):
    shape = i_section(size, size, (size - 1) / 2, (size - 1) / 2, size * 0.8)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            if (x, y) in shape:
                edge = any((x + dx, y + dy) not in shape for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                row.append(INK if edge else (STEEL_LIGHT if x < size / 2 else STEEL))
            else:
                row.append(None)
        rows.append(row)
    return rows


def welcome_rows(width, height):
    rows = [[PAPER] * width for _ in range(height)]
    for y in range(height):
        # Drafting paper: a grid every twelve pixels.
        for x in range(width):
            if x % 12 == 0 or y % 12 == 0:
                rows[y][x] = GRID
    shape = i_section(width, height, width / 2, height * 0.42, width * 0.78)
    for (x, y) in shape:
        rows[y][x] = STEEL if x > width / 2 else STEEL_LIGHT
    # Dimension lines below the section, as on a drawing.
    base = int(height * 0.42 + width * 0.78 * 0.55) + 10
    for x in range(int(width * 0.15), int(width * 0.85)):
        rows[base][x] = INK
    for y in range(base - 4, base + 5):
        rows[y][int(width * 0.15)] = INK
        rows[y][int(width * 0.85) - 1] = INK
    for y in range(height - 24, height):
        for x in range(width):
            rows[y][x] = GREEN
    return rows


if __name__ == "__main__":
    write_icon(os.path.join(OUT, "install.ico"), icon_image, [32, 16])
    write_icon(os.path.join(OUT, "header.ico"), icon_image, [32])
    write_bitmap(os.path.join(OUT, "welcome.bmp"), welcome_rows(120, 308))
