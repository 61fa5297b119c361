#!/usr/bin/env python3
"""Writes the demo story's pictures (24-bit Windows bitmaps) into examples/demo/.

Deterministic: the same bytes every run, so the committed files can be checked.
"""
import math
import os
import random
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "demo")


def write_bmp(name, width, height, pixel):
    """pixel(x, y) -> (r, g, b), y counted from the top."""
    row_size = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):  # bitmaps store the bottom row first
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(header + info + data)


def night(x, y, stars={}):
    """A night sky over the library roofs, with a moon."""
    if not stars:
        rnd = random.Random(7)
        for _ in range(90):
            stars[(rnd.randrange(320), rnd.randrange(170))] = rnd.randrange(150, 256)
    if y > 190 - 10 * math.sin(x / 25.0):
        return (12, 10, 20)
    if math.hypot(x - 250, y - 55) < 22:
        return (250, 240, 200)
    if (x, y) in stars:
        v = stars[(x, y)]
        return (v, v, v)
    t = y / 240.0
    return (int(10 + 30 * t), int(15 + 25 * t), int(60 + 60 * t))


def shelf(x, y):
    """A tile of one shelf of books."""
    if y >= 56:
        return (90, 55, 25)
    book = x // 8
    colours = [(150, 30, 30), (30, 80, 140), (40, 110, 50), (140, 110, 40),
               (100, 40, 100), (160, 80, 30), (50, 50, 50), (120, 30, 60)]
    r, g, b = colours[book]
    if x % 8 == 0:
        return (30, 20, 10)
    top = 8 + (book * 5) % 12
    if y < top:
        return (60, 40, 20)
    if y in (top + 6, top + 30):
        return (min(r + 80, 255), min(g + 80, 255), min(b + 60, 255))
    return (r, g, b)


def book(x, y):
    """An open book with a small picture on its right page."""
    if not (10 <= x < 230 and 15 <= y < 165):
        return (40, 30, 25)
    if abs(x - 120) < 2:
        return (150, 130, 100)
    if x > 140 and 40 <= y < 110 and 150 <= x < 220:
        if math.hypot(x - 185, y - 70) < 18:
            return (230, 190, 160)
        return (120, 150, 190)
    if x < 118 and (y - 30) % 12 == 0 and 25 <= x < 110:
        return (90, 80, 70)
    return (245, 235, 210)


if __name__ == "__main__":
    write_bmp("night.bmp", 320, 240, night)
    write_bmp("shelf.bmp", 64, 64, shelf)
    write_bmp("book.bmp", 240, 180, book)
