#!/usr/bin/env python3
"""Draws the assistant's pictures: the program icon (a steel angle beside a
weight table), the detach icon (a red "X") and the two link lights (a green
and a red ball on the dialog's grey). Run it again after a change; its
outputs are committed under assistant/res/."""

import math
import os
from image_files import write_bitmap, write_icon

OUT = os.path.join(os.path.dirname(__file__), "..", "..", "assistant", "res")

STEEL = (70, 98, 130)
STEEL_LIGHT = (150, 176, 204)
INK = (30, 60, 100)
PAPER = (250, 250, 244)
RULE = (180, 190, 200)
CROSS = (200, 30, 30)
CROSS_DARK = (120, 10, 10)
DIALOG_GREY = (240, 240, 240)


def program_icon(size):
    """A sheet with table rules, and an angle section over its lower left."""
    rows = [[None] * size for _ in range(size)]
    margin = max(1, size // 16)
    for y in range(margin, size - margin):
        for x in range(size // 4, size - margin):
            border = y in (margin, size - margin - 1) or x in (size // 4, size - margin - 1)
            rule = (y - margin) % max(3, size // 8) == 0
            rows[y][x] = INK if border else (RULE if rule else PAPER)
    leg, thickness = size * 0.62, max(2, size // 6)
    left, bottom = margin, size - margin - 1
    for y in range(size):
        for x in range(size):
            dx, dy = x - left, bottom - y
            vertical = 0 <= dx < thickness and 0 <= dy < leg
            horizontal = 0 <= dy < thickness and 0 <= dx < leg
            if vertical or horizontal:
                rows[y][x] = STEEL_LIGHT if dx < thickness // 2 or dy < thickness // 2 else STEEL
    return rows


def detach_icon(size):
    """A red "X" with a darker edge."""
    rows = [[None] * size for _ in range(size)]
    reach, half_width = size * 0.36, size * 0.11
    centre = (size - 1) / 2
    for y in range(size):
        for x in range(size):
            dx, dy = x - centre, y - centre
            if max(abs(dx), abs(dy)) > reach:
                continue
            near = min(abs(dx - dy), abs(dx + dy)) / math.sqrt(2)
            if near <= half_width:
                rows[y][x] = CROSS if near <= half_width - 1 else CROSS_DARK
    return rows


def ball(width, height, color):
    """A shaded ball on the dialog's grey, lit from the upper left."""
    light = tuple(min(255, c + 110) for c in color)
    dark = tuple(c // 2 for c in color)
    cx, cy, radius = (width - 1) / 2, (height - 1) / 2, min(width, height) / 2 - 1
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            distance = math.hypot(x - cx, y - cy)
            if distance > radius:
                row.append(DIALOG_GREY)
                continue
            shine = max(0.0, 1 - math.hypot(x - cx + radius / 3, y - cy + radius / 3) / radius)
            base = dark if distance > radius - 1 else color
            row.append(tuple(int(b + (l - b) * shine) for b, l in zip(base, light)))
        rows.append(row)
    return rows


if __name__ == "__main__":
    write_icon(os.path.join(OUT, "ostrevia.ico"), program_icon, [32, 16])
    write_icon(os.path.join(OUT, "detach.ico"), detach_icon, [16])
    write_bitmap(os.path.join(OUT, "link_attached.bmp"), ball(16, 16, (20, 170, 40)))
    write_bitmap(os.path.join(OUT, "link_detached.bmp"), ball(16, 16, (210, 30, 30)))
