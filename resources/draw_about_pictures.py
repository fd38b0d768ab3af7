#!/usr/bin/env python3
"""Draws the About box's two pictures as BMP files, pixel by pixel, with no libraries:
AboutImage1.bmp (32 x 20, 16 colours), the picture one clicks to start the animation, and
AboutLogo.bmp (64 x 64, 24-bit), the logo the animation reveals.

Run it from this folder after changing a drawing; commit the script and the pictures."""

import math
import struct

FONT = {  # 5 x 7 capitals and digits, '#' is ink
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    "v": [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    ".": [".", ".", ".", ".", ".", ".", "#"],
}

SMALL = {  # 3 x 5 digits for the small picture
    "2": ["###", "..#", "###", "#..", "###"],
    "0": ["###", "#.#", "#.#", "#.#", "###"],
    ".": [".", ".", ".", ".", "#"],
}


def text_pixels(text, font, scale=1):
    """Ink pixels of a text set in a font, from (0, 0), one column between letters."""
    pts, x = [], 0
    for ch in text:
        glyph = font[ch]
        for gy, row in enumerate(glyph):
            for gx, cell in enumerate(row):
                if cell == "#":
                    for sy in range(scale):
                        for sx in range(scale):
                            pts.append((x + gx * scale + sx, gy * scale + sy))
        x += (len(glyph[0]) + 1) * scale
    return pts, x - scale


def write_bmp24(path, w, h, px):
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = px[y][x]
            row += bytes((b, g, r))
        data += row + bytes(stride - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def write_bmp4(path, w, h, palette, px):
    stride = ((w + 1) // 2 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(0, w, 2):
            hi = px[y][x]
            lo = px[y][x + 1] if x + 1 < w else 0
            row.append(hi << 4 | lo)
        data += row + bytes(stride - len(row))
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 54 + len(pal)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(data), 3780, 3780, 16, 16)
    with open(path, "wb") as f:
        f.write(header + info + pal + data)


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def draw_logo():
    w = h = 64
    top, bottom = (14, 22, 62), (46, 18, 70)
    glow = (255, 176, 64)
    px = [[mix(top, bottom, y / 63) for x in range(w)] for y in range(h)]

    # Warm light around the lantern.
    for y in range(h):
        for x in range(w):
            d = math.hypot(x - 31.5, y - 19)
            t = max(0.0, 1 - d / 24) ** 2 * 0.7
            px[y][x] = mix(px[y][x], glow, t)

    bronze, dark = (150, 100, 40), (80, 50, 20)
    # Handle: a ring above the cap.
    for y in range(1, 9):
        for x in range(24, 40):
            if abs(math.hypot(x - 31.5, y - 6) - 4) < 0.75 and y <= 6:
                px[y][x] = bronze
    # Cap, wider row by row.
    for i, y in enumerate(range(8, 12)):
        for x in range(28 - i * 2, 36 + i * 2):
            px[y][x] = bronze if y < 11 else dark
    # Glass with the flame: bright in the middle, orange at the sides.
    for y in range(12, 27):
        for x in range(24, 40):
            edge = abs(x - 31.5) / 8
            px[y][x] = mix((255, 244, 170), (236, 128, 32), edge * 1.2)
    for y in range(15, 25):  # the flame
        half = 2.6 * math.sin(math.pi * (y - 14) / 11) ** 0.8
        for x in range(24, 40):
            if abs(x - 31.5) < half:
                px[y][x] = mix((255, 255, 255), (255, 210, 90), (y - 15) / 10)
    for y in range(12, 27):  # frame bars
        for x in (24, 31, 32, 39):
            if x in (24, 39) or y in (12, 26):
                px[y][x] = dark
    for x in range(24, 40):
        px[12][x] = dark
        px[26][x] = dark
    # Base.
    for y in range(27, 30):
        for x in range(22, 42):
            px[y][x] = bronze if y == 27 else dark

    # The name, with a shadow, then the version twice as large.
    name, name_w = text_pixels("LANTERNIX", FONT)
    x0, y0 = (w - name_w) // 2, 34
    for x, y in name:
        px[y0 + y + 1][x0 + x + 1] = (10, 8, 30)
    for x, y in name:
        px[y0 + y][x0 + x] = (250, 236, 200)
    ver, ver_w = text_pixels("v2.0", FONT, 2)
    x0, y0 = (w - ver_w) // 2, 46
    for x, y in ver:
        px[y0 + y + 1][x0 + x + 1] = (10, 8, 30)
    for x, y in ver:
        px[y0 + y][x0 + x] = mix((255, 214, 90), (240, 120, 30), y / 13)
    write_bmp24("AboutLogo.bmp", w, h, px)


def draw_image1():
    palette = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
               (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
               (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
    olive, navy, silver, grey, yellow, white = 3, 4, 7, 8, 11, 15
    w, h = 32, 20
    px = [[navy] * w for _ in range(h)]
    for x in range(w):
        px[0][x] = px[h - 1][x] = grey
    for y in range(h):
        px[y][0] = px[y][w - 1] = grey
    # A little lantern at the left: ring, cap, lit glass, base.
    for x in (6, 7):
        px[2][x] = silver
    px[3][5] = px[3][8] = silver
    for x in range(4, 10):
        px[4][x] = olive
    for y in range(5, 13):
        for x in range(4, 10):
            px[y][x] = yellow if 5 <= x <= 8 else olive
    for y in range(7, 11):
        px[y][6] = px[y][7] = white
    for x in range(3, 11):
        px[13][x] = olive
    # Sparkles around it.
    for x, y in ((2, 6), (12, 4), (12, 11), (2, 15)):
        px[y][x] = white
    # The version at the right.
    ver, ver_w = text_pixels("2.0", SMALL)
    x0, y0 = 16, 8
    for x, y in ver:
        px[y0 + y][x0 + x] = white
    px[16][16:28] = [silver] * 12
    write_bmp4("AboutImage1.bmp", w, h, palette, px)


if __name__ == "__main__":
    draw_logo()
    draw_image1()
