#!/usr/bin/env python3
"""Draws the plug-in's icon, a status flower with a note in front of it, and
writes it as a Windows .ico file with 16, 32 and 48 pixel images.

    make_icon.py OUTPUT.ico

The picture is made of a few shapes in a unit square; every pixel is sampled
on a 4 x 4 grid, so the edges come out smooth at every size. The output
depends on nothing but this file.
"""
import math
import struct
import sys

SIZES = (16, 32, 48)
GRID = 4  # samples per pixel along each axis

PETAL_EDGE = (24, 96, 32)
PETAL = (76, 184, 72)
STATUS_PETAL_EDGE = (150, 40, 20)
STATUS_PETAL = (232, 80, 48)
HEART = (250, 210, 60)
NOTE = (24, 32, 120)
NOTE_EDGE = (255, 255, 255)

PETALS = 7
FLOWER = (0.42, 0.42)  # centre of the flower


def in_ellipse(x, y, cx, cy, a, b, angle):
    dx, dy = x - cx, y - cy
    c, s = math.cos(angle), math.sin(angle)
    u, v = dx * c + dy * s, -dx * s + dy * c
    return (u / a) ** 2 + (v / b) ** 2 <= 1.0


def in_box(x, y, left, top, right, bottom):
    return left <= x <= right and top <= y <= bottom


def petal_colour(x, y):
    for i in range(PETALS):
        angle = -math.pi / 2 + i * 2 * math.pi / PETALS
        cx = FLOWER[0] + 0.22 * math.cos(angle)
        cy = FLOWER[1] + 0.22 * math.sin(angle)
        edge, fill = (STATUS_PETAL_EDGE, STATUS_PETAL) if i == 0 else (PETAL_EDGE, PETAL)
        if in_ellipse(x, y, cx, cy, 0.125, 0.095, angle):
            return fill
        if in_ellipse(x, y, cx, cy, 0.165, 0.13, angle):
            return edge
    return None


def note_shape(x, y, grow):
    """The eighth note; grow > 0 gives the white rim around it."""
    head = in_ellipse(x, y, 0.66, 0.80, 0.15 + grow, 0.105 + grow, -0.45)
    stem = in_box(x, y, 0.745 - grow, 0.22 - grow, 0.80 + grow, 0.78)
    flag = (in_ellipse(x, y, 0.86, 0.36, 0.10 + grow, 0.17 + grow, 0.35)
            and not in_ellipse(x, y, 0.80, 0.44, 0.08 - grow, 0.16 - grow, 0.35)
            and x >= 0.77 - grow and y <= 0.55 + grow)
    return head or stem or flag


def colour_at(x, y):
    """The colour of one sample, or None where the icon is transparent."""
    if note_shape(x, y, 0.0):
        return NOTE
    if note_shape(x, y, 0.05):
        return NOTE_EDGE
    if math.hypot(x - FLOWER[0], y - FLOWER[1]) <= 0.12:
        return HEART
    return petal_colour(x, y)


def render(size):
    """Rows of (r, g, b, a) from the top."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = hits = 0
            for sy in range(GRID):
                for sx in range(GRID):
                    c = colour_at((px + (sx + 0.5) / GRID) / size,
                                  (py + (sy + 0.5) / GRID) / size)
                    if c:
                        r, g, b, hits = r + c[0], g + c[1], b + c[2], hits + 1
            if hits:
                row.append((r // hits, g // hits, b // hits, 255 * hits // (GRID * GRID)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def dib(size):
    """A 32-bit image as an .ico entry holds it: header, colours from the
    bottom row up, and an all-clear mask (the alpha channel rules)."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(render(size)):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    return header + bytes(pixels) + bytes(mask_row * size)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    images = [dib(size) for size in SIZES]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = len(data) + 16 * len(images)
    for size, image in zip(SIZES, images):
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        data += image
    with open(sys.argv[1], "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
