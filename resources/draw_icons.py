#!/usr/bin/env python3
"""Draws the program's desktop icon from one description: icons/lanternix.svg (scalable) and
icons/lanternix-N.png at 16, 24, 32, 48, 64, 128 and 256 pixels, and icons/lanternix.ico holding
those PNGs for the Windows program, with no libraries.

The drawing is the window icon (lanternix.xpm: a lantern between two columns of menu
buttons) redrawn on the same 32-unit grid with smooth corners. The PNGs are rendered here,
sub-sample by sub-sample, so every size is exact and the same on every machine; below 32
pixels the edges are moved onto whole pixels first, so small icons stay sharp.

Run it from this folder after changing the drawing; commit the script and the pictures."""

import math
import os
import struct
import zlib

GRID = 32
SIZES = (16, 24, 32, 48, 64, 128, 256)

DARK = "#303030"
BROWN = "#6b4f1d"
GLASS = "#ffe08a"
GLOW = "#ffc83d"
FLAME = "#ff8c1a"
CANDLE = "#fffbe8"
EDGE = "#1b3fa0"
BUTTON = "#5b8cff"


def lantern():
    """The shapes, back to front: (kind, geometry, colour)."""
    shapes = [
        # handle: an outline, its inside left open
        ("ring", (12, 1, 20, 5, 1.5, 1), DARK),
        # cap, band, frame and glass
        ("rect", (10, 4, 22, 6, (1, 1, 0, 0)), DARK),
        ("rect", (9, 6, 23, 7, 0), BROWN),
        ("rect", (9, 7, 23, 25, 0), DARK),
        ("rect", (10, 8, 22, 24, 0), GLASS),
        ("rect", (12, 10, 20, 22, 2), GLOW),
        ("rect", (14, 12, 18, 20, (0.5, 0.5, 0, 0)), CANDLE),
        ("ellipse", (16, 10.6, 1.1, 1.6), FLAME),
        # base and foot
        ("rect", (9, 25, 23, 27, 0), BROWN),
        ("rect", (11, 27, 21, 29, (0, 0, 1, 1)), DARK),
    ]
    for left in (1, 24):  # the menu buttons, three a side
        for top in (9, 15, 21):
            shapes.append(("rect", (left, top, left + 7, top + 4, 1), EDGE))
            shapes.append(("rect", (left + 1, top + 1, left + 6, top + 3, 0.5), BUTTON))
    return shapes


# --- geometry -------------------------------------------------------------------------------


def radii(r):
    return r if isinstance(r, tuple) else (r, r, r, r)  # top-left, top-right, bottom-right, bottom-left


def corner_inset(r, d):
    """How far a corner of radius r pulls the edge in, d units from the corner's end."""
    if r <= 0 or d >= r:
        return 0.0
    return r - math.sqrt(max(0.0, r * r - (r - d) ** 2))


def rect_span(g, y):
    x0, y0, x1, y1, r = g
    if not y0 <= y < y1:
        return []
    tl, tr, br, bl = radii(r)
    left = max(corner_inset(tl, y - y0), corner_inset(bl, y1 - y))
    right = max(corner_inset(tr, y - y0), corner_inset(br, y1 - y))
    return [(x0 + left, x1 - right)]


def spans(kind, g, y):
    """The parts of the row at height y that the shape covers, as (left, right) pairs."""
    if kind == "rect":
        return rect_span(g, y)
    if kind == "ellipse":
        cx, cy, rx, ry = g
        t = 1 - ((y - cy) / ry) ** 2
        if t <= 0:
            return []
        w = rx * math.sqrt(t)
        return [(cx - w, cx + w)]
    if kind == "ring":
        x0, y0, x1, y1, r, width = g
        outer = rect_span((x0, y0, x1, y1, r), y)
        inner = rect_span((x0 + width, y0 + width, x1 - width, y1 - width, max(0, r - width)), y)
        if not outer or not inner:
            return outer
        (a, b), (c, d) = outer[0], inner[0]
        return [(a, c), (d, b)]
    raise ValueError(kind)


def snapped(shapes, size):
    """The shapes with their straight edges on whole pixels of a size-pixel icon, none
    thinner than a pixel."""
    scale = size / GRID

    def edge(a, b):
        pa, pb = math.floor(a * scale + 0.5), math.floor(b * scale + 0.5)
        if pb <= pa:
            pb = pa + 1
        return pa / scale, pb / scale

    out = []
    for kind, g, colour in shapes:
        if kind == "rect":
            x0, x1 = edge(g[0], g[2])
            y0, y1 = edge(g[1], g[3])
            r = tuple(min(c, 1 / scale) for c in radii(g[4]))  # a hint of a corner at most
            out.append((kind, (x0, y0, x1, y1, r), colour))
        elif kind == "ring":
            x0, x1 = edge(g[0], g[2])
            y0, y1 = edge(g[1], g[3])
            width = max(1, math.floor(g[5] * scale + 0.5)) / scale
            out.append((kind, (x0, y0, x1, y1, min(g[4], 1 / scale), width), colour))
        else:
            out.append((kind, g, colour))
    return out


# --- pictures -------------------------------------------------------------------------------


def rgb(colour):
    return tuple(int(colour[i : i + 2], 16) for i in (1, 3, 5))


def render(shapes, size):
    """RGBA rows: each pixel the mean of n x n sub-samples, each sub-sample the colour of
    the front-most shape over its centre."""
    n = max(4, 512 // size)
    side = size * n
    unit = GRID / side
    palette = [(0, 0, 0, 0)] + [rgb(c) + (255,) for _, _, c in shapes]
    fine = []
    for j in range(side):
        row = [0] * side
        y = (j + 0.5) * unit
        for index, (kind, g, _) in enumerate(shapes, 1):
            for a, b in spans(kind, g, y):
                i0 = max(0, math.ceil(a / unit - 0.5))
                i1 = min(side, math.ceil(b / unit - 0.5))
                if i1 > i0:
                    row[i0:i1] = [index] * (i1 - i0)
        fine.append(row)

    pixels = []
    for py in range(size):
        out = bytearray()
        for px in range(size):
            r = g = b = a = 0
            for j in range(py * n, py * n + n):
                for index in fine[j][px * n : px * n + n]:
                    cr, cg, cb, ca = palette[index]
                    r += cr * ca
                    g += cg * ca
                    b += cb * ca
                    a += ca
            if a:
                out += bytes((round(r / a), round(g / a), round(b / a), round(a / (n * n))))
            else:
                out += bytes(4)
        pixels.append(bytes(out))
    return pixels


def write_png(path, size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + row for row in rows)
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)
    return png


def write_ico(path, pngs):
    """An icon file whose images are PNGs, as Windows reads them since Vista."""
    head = struct.pack("<HHH", 0, 1, len(pngs))
    offset = len(head) + 16 * len(pngs)
    entries = body = b""
    for size, png in pngs:
        side = size % 256  # 0 stands for 256
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(png), offset + len(body))
        body += png
    with open(path, "wb") as f:
        f.write(head + entries + body)


def fmt(v):
    return ("%.3f" % v).rstrip("0").rstrip(".")


def rect_path(x0, y0, x1, y1, r):
    tl, tr, br, bl = radii(r)

    def arc(rad, x, y):
        return " A%s %s 0 0 1 %s %s" % (fmt(rad), fmt(rad), fmt(x), fmt(y)) if rad else ""

    return (
        "M%s %s" % (fmt(x0 + tl), fmt(y0))
        + " H%s" % fmt(x1 - tr) + arc(tr, x1, y0 + tr)
        + " V%s" % fmt(y1 - br) + arc(br, x1 - br, y1)
        + " H%s" % fmt(x0 + bl) + arc(bl, x0, y1 - bl)
        + " V%s" % fmt(y0 + tl) + arc(tl, x0 + tl, y0)
        + " Z"
    )


def svg(shapes):
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<!-- Drawn by draw_icons.py from the same description as the PNG icons. -->',
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 32 32">',
    ]
    for kind, g, colour in shapes:
        if kind == "rect":
            lines.append('  <path fill="%s" d="%s"/>' % (colour, rect_path(*g)))
        elif kind == "ellipse":
            cx, cy, rx, ry = g
            lines.append('  <ellipse fill="%s" cx="%s" cy="%s" rx="%s" ry="%s"/>'
                         % (colour, fmt(cx), fmt(cy), fmt(rx), fmt(ry)))
        elif kind == "ring":
            x0, y0, x1, y1, r, w = g
            d = rect_path(x0, y0, x1, y1, r) + " " + rect_path(x0 + w, y0 + w, x1 - w, y1 - w,
                                                               max(0, r - w))
            lines.append('  <path fill="%s" fill-rule="evenodd" d="%s"/>' % (colour, d))
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def main():
    os.makedirs("icons", exist_ok=True)
    shapes = lantern()
    with open("icons/lanternix.svg", "w", encoding="utf-8") as f:
        f.write(svg(shapes))
    pngs = []
    for size in SIZES:
        drawn = snapped(shapes, size) if size < GRID else shapes
        pngs.append((size, write_png("icons/lanternix-%d.png" % size, size, render(drawn, size))))
    write_ico("icons/lanternix.ico", pngs)


if __name__ == "__main__":
    main()
