#!/usr/bin/env python3
"""Draws the program's icons at every size from 100 % to 200 % (the program
icon also at 96, 128 and 256 px, for 300 % and for the shell's large views)
and writes the .ico files next to the resource script:
python3 resources/icons/make_icons.py

Each icon is a vector drawing on a design grid (48 units for the program icon,
32 for the paper icons). Straight edges that should be sharp are snapped to
whole pixels at every size, lines are at least one pixel wide, and the rest is
anti-aliased by supersampling. Sizes up to 32 px are stored as 32-bit bitmaps
(readable by every Windows), larger ones as PNG to keep the program small.
Only the standard library is used, so the build needs nothing but the result.
"""

import os
import struct
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 64)
PROGRAM_SIZES = SIZES + (96, 128, 256)
LARGEST_BITMAP = 32
SUPERSAMPLE = 8

BLUE = (0x2B, 0x57, 0x97)
RED = (0xD8, 0x3B, 0x01)
WHITE = (0xFF, 0xFF, 0xFF)
BLACK = (0x00, 0x00, 0x00)


def inside(polygon, x, y):
    """Even-odd test of a point against one closed polygon."""
    hit = False
    j = len(polygon) - 1
    for i, (xi, yi) in enumerate(polygon):
        xj, yj = polygon[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def fill(self, colour, covers):
        """Paints colour where covers(x, y) holds, weighted by the share of
        sub-pixel samples it holds for."""
        n = SUPERSAMPLE
        for py in range(self.size):
            for px in range(self.size):
                hits = sum(
                    1
                    for sy in range(n)
                    for sx in range(n)
                    if covers(px + (sx + 0.5) / n, py + (sy + 0.5) / n)
                )
                if hits:
                    self.blend(px, py, colour, hits / (n * n))

    def blend(self, x, y, colour, alpha):
        r, g, b, a = self.pixels[y][x]
        out = alpha + a * (1 - alpha)
        mix = [
            round((c * alpha + d * a * (1 - alpha)) / out) for c, d in zip(colour, (r, g, b))
        ]
        self.pixels[y][x] = (mix[0], mix[1], mix[2], out)

    def rgba_rows(self):
        return [
            [(r, g, b, round(a * 255)) for (r, g, b, a) in row] for row in self.pixels
        ]


def polygons(*shapes):
    return lambda x, y: any(inside(shape, x, y) for shape in shapes)


def minus(outer, inner):
    return lambda x, y: outer(x, y) and not inner(x, y)


def rounded_square(size, radius):
    def covers(x, y):
        cx = min(max(x, radius), size - radius)
        cy = min(max(y, radius), size - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius

    return covers


def stroke(x0, y0, x1, y1, half_width):
    """A straight line with round ends."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def covers(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        ex, ey = x0 + t * dx - x, y0 + t * dy - y
        return ex * ex + ey * ey <= half_width * half_width

    return covers


def program_icon(size):
    """Blue rounded square, a white sheet, a red pen stroke across it."""
    unit = size / 48
    snap = lambda v: round(v * unit)
    canvas = Canvas(size)
    canvas.fill(BLUE, rounded_square(size, 6 * unit))
    left, top, right, bottom = snap(12), snap(8), snap(37), snap(41)
    canvas.fill(WHITE, polygons([(left, top), (right, top), (right, bottom), (left, bottom)]))
    canvas.fill(RED, stroke(13.5 * unit, 37.5 * unit, 34.5 * unit, 10.5 * unit, 2.6 * unit))
    return canvas


def letter_a(box, unit):
    """A bold capital A in the box (design units): two legs and a bar."""
    x0, y0, x1, y1 = box
    mid = (x0 + x1) / 2
    leg = (x1 - x0) * 0.29
    apex = (x1 - x0) * 0.14
    bar_top = y0 + (y1 - y0) * 0.59
    bar_bottom = bar_top + (y1 - y0) * 0.13
    s = lambda pts: [(x * unit, y * unit) for x, y in pts]
    return polygons(
        s([(mid - apex, y0), (mid + 0.01, y0), (x0 + leg, y1), (x0, y1)]),
        s([(mid - 0.01, y0), (mid + apex, y0), (x1, y1), (x1 - leg, y1)]),
        s([(x0 + leg * 0.6, bar_top), (x1 - leg * 0.6, bar_top),
           (x1 - leg * 0.45, bar_bottom), (x0 + leg * 0.45, bar_bottom)]),
    )


def paper_icon(size, page, fold, letter):
    """A white sheet with a folded corner and a black outline, and an A.
    page: left, top, right, bottom of the sheet on the 32-unit grid."""
    unit = size / 32
    line = max(1, round(unit))
    left, top, right, bottom = (round(v * unit) for v in page)
    corner = max(2 * line + 1, round(fold * unit))
    outline = [(left, top), (right - corner, top), (right, top + corner), (right, bottom),
               (left, bottom)]
    inner = [(left + line, top + line), (right - corner - line * 0.41, top + line),
             (right - line, top + corner + line * 0.41), (right - line, bottom - line),
             (left + line, bottom - line)]
    canvas = Canvas(size)
    canvas.fill(WHITE, polygons(outline))
    canvas.fill(BLACK, minus(polygons(outline), polygons(inner)))
    # The fold: down from the top edge, then across to the right edge.
    fx = right - corner - line
    fy = top + corner
    canvas.fill(BLACK, polygons([(fx, top), (fx + line, top), (fx + line, fy), (right, fy),
                                 (right, fy + line), (fx, fy + line)]))
    canvas.fill(BLACK, letter_a(letter, unit))
    return canvas


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bitmap(rows):
    """32-bit DIB, bottom-up, with the AND mask ICO entries carry."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def write_ico(path, draw, sizes=SIZES):
    images = []
    for size in sizes:
        rows = draw(size).rgba_rows()
        images.append((size, bitmap(rows) if size <= LARGEST_BITMAP else png(rows)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(path, "wb") as f:
        f.write(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    resources = os.path.dirname(here)
    write_ico(os.path.join(resources, "app.ico"), program_icon, PROGRAM_SIZES)
    write_ico(os.path.join(resources, "paper_portrait.ico"),
              lambda s: paper_icon(s, (6, 1, 26, 31), 6, (8.5, 9, 23.5, 26)))
    write_ico(os.path.join(resources, "paper_landscape.ico"),
              lambda s: paper_icon(s, (1, 6, 31, 27), 6, (9.5, 9, 22.5, 23)))


if __name__ == "__main__":
    main()
