#!/usr/bin/env python3
"""Draws the icons of QVN3, QvnMakeW and the compiled story type into desktop/icons/
(or into the folder given as the argument).

Each icon is a list of flat shapes on a 256-unit square, written once as a
scalable SVG and rendered into 48x48 and 256x256 PNG files (Python standard
library only). Deterministic: the same bytes every run, so the committed files
can be checked.
"""
import math
import os
import struct
import sys
import zlib

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "desktop", "icons")
SIZES = (48, 256)


# ---- Shapes: ("poly", points, colour) and ("circle", cx, cy, r, colour) ----

def rounded_rect(x, y, w, h, r, colour, steps=8):
    points = []
    corners = ((x + w - r, y + r, -90), (x + w - r, y + h - r, 0),
               (x + r, y + h - r, 90), (x + r, y + r, 180))
    for cx, cy, start in corners:
        for i in range(steps + 1):
            a = math.radians(start + 90 * i / steps)
            points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return ("poly", points, colour)


def line(x1, y1, x2, y2, width, colour):
    length = math.hypot(x2 - x1, y2 - y1)
    nx, ny = -(y2 - y1) / length * width / 2, (x2 - x1) / length * width / 2
    return ("poly", [(x1 + nx, y1 + ny), (x2 + nx, y2 + ny), (x2 - nx, y2 - ny),
                     (x1 - nx, y1 - ny)], colour)


def circle(cx, cy, r, colour):
    return ("circle", cx, cy, r, colour)


def page_lines(x, y, width, count, gap, colour, thickness=6):
    return [line(x, y + i * gap, x + width - (i % 2) * width / 4, y + i * gap, thickness, colour)
            for i in range(count)]


def browser_icon():
    """QVN3: an open book on a night-blue tile, a choice marked on the right page."""
    ink = "#3b3f5c"
    shapes = [rounded_rect(8, 8, 240, 240, 40, "#1f2d5c"),
              circle(196, 58, 20, "#f5e9b8"),
              ("poly", [(28, 84), (124, 100), (124, 214), (28, 198)], "#f7f0dc"),
              ("poly", [(228, 84), (132, 100), (132, 214), (228, 198)], "#fffaf0"),
              ("poly", [(124, 100), (132, 100), (132, 214), (124, 214)], "#b89b6a")]
    shapes += [line(42, 118 + i * 18, 110, 128 + i * 18, 6, ink) for i in range(4)]
    shapes += [line(146, 128, 214, 118, 6, ink),
               circle(156, 160, 8, "#d9534f"), line(170, 160, 214, 154, 6, ink),
               circle(156, 186, 8, "#5b8bd9"), line(170, 186, 214, 180, 6, ink)]
    return shapes


def workbench_icon():
    """QvnMakeW: a source page and a pen on a warm tile."""
    ink = "#4a3b2a"
    shapes = [rounded_rect(8, 8, 240, 240, 40, "#c8642a"),
              ("poly", [(48, 36), (168, 36), (208, 76), (208, 220), (48, 220)], "#fffaf0"),
              ("poly", [(168, 36), (208, 76), (168, 76)], "#e3d6bc"),
              line(68, 62, 96, 62, 10, "#c8642a")]
    shapes += page_lines(68, 96, 112, 6, 20, ink)
    # The pen, lying across the page's lower corner.
    shapes += [line(120, 214, 222, 112, 26, "#2f4f8f"),
               ("poly", [(120, 214), (111, 205), (98, 236), (129, 223)], "#e8c27a"),
               ("poly", [(104, 222), (98, 236), (112, 230)], "#2a2a2a"),
               line(204, 130, 222, 112, 26, "#9aa7c7")]
    return shapes


def story_icon():
    """A compiled story: a page whose path branches into two choices."""
    branch = "#1f2d5c"
    shapes = [("poly", [(52, 16), (172, 16), (212, 56), (212, 240), (52, 240)], "#fffaf0"),
              ("poly", [(52, 16), (172, 16), (212, 56), (212, 240), (52, 240), (52, 16),
                        (60, 24), (60, 232), (204, 232), (204, 60), (168, 24), (60, 24)],
               "#7a8199"),
              ("poly", [(172, 16), (212, 56), (172, 56)], "#d7dbe8")]
    shapes += page_lines(76, 48, 80, 3, 18, "#8a8fa3")
    shapes += [line(132, 114, 132, 150, 10, branch),
               line(132, 150, 92, 190, 10, branch), line(132, 150, 172, 190, 10, branch),
               circle(132, 112, 14, branch),
               circle(92, 196, 16, "#d9534f"), circle(172, 196, 16, "#5b8bd9")]
    return shapes


ICONS = {
    "apps/org.qvnlinux.QVN3": browser_icon,
    "apps/org.qvnlinux.QvnMakeW": workbench_icon,
    "mimetypes/application-x-qvn-story": story_icon,
}


# ---- SVG ----

def svg(shapes):
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
           'viewBox="0 0 256 256">']
    for shape in shapes:
        if shape[0] == "poly":
            points = " ".join("%.2f,%.2f" % p for p in shape[1])
            out.append('  <polygon points="%s" fill="%s" fill-rule="evenodd"/>' % (points, shape[2]))
        else:
            _, cx, cy, r, colour = shape
            out.append('  <circle cx="%g" cy="%g" r="%g" fill="%s"/>' % (cx, cy, r, colour))
    out.append("</svg>")
    return "\n".join(out) + "\n"


# ---- Raster: even-odd polygon fill with supersampled coverage ----

def rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


def polygon_spans(points, y):
    """The x ranges inside the polygon on the horizontal line at y (even-odd)."""
    xs = []
    for i in range(len(points)):
        (x1, y1), (x2, y2) = points[i], points[(i + 1) % len(points)]
        if (y1 <= y < y2) or (y2 <= y < y1):
            xs.append(x1 + (y - y1) * (x2 - x1) / (y2 - y1))
    xs.sort()
    return list(zip(xs[0::2], xs[1::2]))


def circle_spans(cx, cy, r, y):
    d = r * r - (y - cy) ** 2
    if d <= 0:
        return []
    half = math.sqrt(d)
    return [(cx - half, cx + half)]


def render(shapes, size, samples=4):
    """RGBA rows: each shape painted over the previous ones with its coverage."""
    scale = size / 256.0
    pixels = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]
    step = 1.0 / samples
    for shape in shapes:
        colour = rgb(shape[-1])
        coverage = [[0.0] * size for _ in range(size)]
        for py in range(size):
            for sy in range(samples):
                y = (py + (sy + 0.5) * step) / scale
                if shape[0] == "poly":
                    spans = polygon_spans(shape[1], y)
                else:
                    spans = circle_spans(shape[1], shape[2], shape[3], y)
                row = coverage[py]
                for left, right in spans:
                    # Sub-sample columns whose centres fall inside [left, right).
                    first = math.ceil(left * scale * samples - 0.5)
                    last = math.ceil(right * scale * samples - 0.5)
                    for s in range(max(first, 0), min(last, size * samples)):
                        row[s // samples] += 1.0
        total = float(samples * samples)
        for py in range(size):
            for px in range(size):
                a = coverage[py][px] / total
                if a <= 0:
                    continue
                r, g, b, da = pixels[py][px]
                out_a = a + da * (1 - a)
                mix = [(c * a + d * da * (1 - a)) / out_a for c, d in zip(colour, (r, g, b))]
                pixels[py][px] = (mix[0], mix[1], mix[2], out_a)
    return pixels


def png(pixels):
    size = len(pixels)
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((round(r), round(g), round(b), round(a * 255)))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    if len(sys.argv) > 1:
        OUT = sys.argv[1]
    for name, draw in ICONS.items():
        context, base = name.split("/")
        shapes = draw()
        folder = os.path.join(OUT, "scalable", context)
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, base + ".svg"), "w") as f:
            f.write(svg(shapes))
        for size in SIZES:
            folder = os.path.join(OUT, "%dx%d" % (size, size), context)
            os.makedirs(folder, exist_ok=True)
            with open(os.path.join(folder, base + ".png"), "wb") as f:
                f.write(png(render(shapes, size)))
