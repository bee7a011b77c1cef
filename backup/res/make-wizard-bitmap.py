#!/usr/bin/env python3
"""Draws the wizard's side picture: a desktop computer with an open software
box, two compact discs and a globe on a teal background. Writes a 16-colour
120 x 258 bitmap file (4 bits per pixel, the standard 16-colour palette).

Usage: make-wizard-bitmap.py OUTPUT.bmp
"""
import math
import struct
import sys

WIDTH, HEIGHT = 120, 258

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)

pixels = [[TEAL] * WIDTH for _ in range(HEIGHT)]


def plot(x, y, c):
    if 0 <= x < WIDTH and 0 <= y < HEIGHT:
        pixels[y][x] = c


def rect(x0, y0, x1, y1, c):
    """Filled, both corners inclusive."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            plot(x, y, c)


def frame(x0, y0, x1, y1, c):
    line(x0, y0, x1, y0, c)
    line(x0, y1, x1, y1, c)
    line(x0, y0, x0, y1, c)
    line(x1, y0, x1, y1, c)


def line(x0, y0, x1, y1, c):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(steps + 1):
        plot(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), c)


def polygon(points, c):
    ys = [p[1] for p in points]
    for y in range(min(ys), max(ys) + 1):
        crossings = []
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay <= y < by) or (by <= y < ay):
                crossings.append(ax + (y - ay) * (bx - ax) / (by - ay))
        crossings.sort()
        for a, b in zip(crossings[::2], crossings[1::2]):
            for x in range(math.ceil(a), math.floor(b) + 1):
                plot(x, y, c)
    for a, b in zip(points, points[1:] + points[:1]):
        line(a[0], a[1], b[0], b[1], BLACK)


def ellipse(cx, cy, rx, ry, colour_at):
    for y in range(cy - ry, cy + ry + 1):
        for x in range(cx - rx, cx + rx + 1):
            d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
            if d <= 1.0:
                c = colour_at(x, y, d)
                if c is not None:
                    plot(x, y, c)


def dither(x, y, a, b):
    return a if (x + y) % 2 else b


def globe(cx, cy, r):
    land = [(-0.5, -0.55, 0.35), (-0.2, 0.1, 0.4), (0.45, -0.3, 0.3), (0.35, 0.45, 0.25)]

    def colour(x, y, d):
        u, v = (x - cx) / r, (y - cy) / r
        if d > 0.86:
            return BLACK
        on_land = any((u - lu) ** 2 + ((v - lv) * 1.3) ** 2 < lr ** 2 for lu, lv, lr in land)
        lit = u + v < -0.6
        if on_land:
            return LIME if lit else GREEN
        if lit:
            return dither(x, y, AQUA, BLUE)
        return BLUE if u + v < 0.7 else NAVY

    ellipse(cx, cy, r, r, colour)
    # meridians and parallels
    for k in (-0.5, 0.5):
        ellipse(cx, cy, r, r, lambda x, y, d, k=k: WHITE if abs((y - cy) / r - k) < 0.04 and d < 0.86 else None)
    ellipse(cx, cy, max(1, r // 2), r, lambda x, y, d: NAVY if 0.82 < d <= 1.0 and (x + y) % 3 else None)
    # stand
    rect(cx - 2, cy + r + 1, cx + 2, cy + r + 6, OLIVE)
    rect(cx - 10, cy + r + 7, cx + 10, cy + r + 9, OLIVE)
    frame(cx - 10, cy + r + 7, cx + 10, cy + r + 9, BLACK)
    # meridian ring
    for a in range(-60, 241):
        t = math.radians(a)
        plot(round(cx + (r + 3) * math.cos(t)), round(cy - (r + 3) * math.sin(t)), YELLOW)


def computer(x0, y0):
    # monitor
    rect(x0, y0, x0 + 70, y0 + 56, SILVER)
    frame(x0, y0, x0 + 70, y0 + 56, BLACK)
    line(x0 + 1, y0 + 1, x0 + 69, y0 + 1, WHITE)
    line(x0 + 1, y0 + 1, x0 + 1, y0 + 55, WHITE)
    line(x0 + 1, y0 + 55, x0 + 69, y0 + 55, GREY)
    line(x0 + 69, y0 + 1, x0 + 69, y0 + 55, GREY)
    rect(x0 + 6, y0 + 5, x0 + 64, y0 + 46, NAVY)
    frame(x0 + 5, y0 + 4, x0 + 65, y0 + 47, GREY)
    # a window on the screen
    rect(x0 + 12, y0 + 10, x0 + 56, y0 + 38, SILVER)
    rect(x0 + 12, y0 + 10, x0 + 56, y0 + 14, BLUE)
    rect(x0 + 15, y0 + 18, x0 + 53, y0 + 19, GREY)
    rect(x0 + 15, y0 + 22, x0 + 46, y0 + 23, GREY)
    rect(x0 + 15, y0 + 26, x0 + 50, y0 + 27, GREY)
    rect(x0 + 40, y0 + 31, x0 + 53, y0 + 35, WHITE)
    frame(x0 + 40, y0 + 31, x0 + 53, y0 + 35, BLACK)
    plot(x0 + 60, y0 + 51, LIME)
    rect(x0 + 8, y0 + 50, x0 + 20, y0 + 51, GREY)
    # neck
    rect(x0 + 28, y0 + 57, x0 + 42, y0 + 60, GREY)
    # desktop case
    cy = y0 + 61
    rect(x0 - 6, cy, x0 + 76, cy + 22, SILVER)
    frame(x0 - 6, cy, x0 + 76, cy + 22, BLACK)
    line(x0 - 5, cy + 1, x0 + 75, cy + 1, WHITE)
    rect(x0 + 2, cy + 6, x0 + 26, cy + 8, BLACK)     # floppy slot
    rect(x0 + 2, cy + 13, x0 + 26, cy + 16, GREY)    # disc drive
    frame(x0 + 2, cy + 13, x0 + 26, cy + 16, BLACK)
    plot(x0 + 66, cy + 7, LIME)
    plot(x0 + 70, cy + 7, RED)
    rect(x0 + 44, cy + 12, x0 + 72, cy + 18, GREY)
    for x in range(x0 + 45, x0 + 72, 3):
        line(x, cy + 13, x, cy + 17, BLACK)
    # keyboard
    ky = cy + 26
    polygon([(x0 - 4, ky + 10), (x0 + 4, ky), (x0 + 70, ky), (x0 + 78, ky + 10)], SILVER)
    for row in range(3):
        for col in range(12):
            kx = x0 + 4 + col * 6 - (2 - row)
            plot(kx, ky + 2 + row * 3, GREY)
            plot(kx + 1, ky + 2 + row * 3, GREY)
            plot(kx + 2, ky + 2 + row * 3, GREY)
    rect(x0 + 14, ky + 8, x0 + 58, ky + 8, GREY)


def software_box(x0, y0):
    w, h, depth = 40, 46, 12
    # side
    polygon([(x0 + w, y0), (x0 + w + depth, y0 - depth // 2),
             (x0 + w + depth, y0 + h - depth // 2), (x0 + w, y0 + h)], MAROON)
    # open flaps
    polygon([(x0, y0), (x0 + 6, y0 - 16), (x0 + w + 4, y0 - 16), (x0 + w, y0)], YELLOW)
    polygon([(x0 + w, y0), (x0 + w + depth, y0 - depth // 2),
             (x0 + w + depth + 10, y0 - depth - 8), (x0 + w + 8, y0 - 10)], OLIVE)
    # front
    rect(x0, y0, x0 + w, y0 + h, RED)
    frame(x0, y0, x0 + w, y0 + h, BLACK)
    rect(x0 + 4, y0 + 5, x0 + w - 4, y0 + 15, YELLOW)
    frame(x0 + 4, y0 + 5, x0 + w - 4, y0 + 15, BLACK)
    for i in range(4):
        rect(x0 + 7 + i * 7, y0 + 8, x0 + 10 + i * 7, y0 + 12, [BLUE, LIME, FUCHSIA, AQUA][i])
    rect(x0 + 4, y0 + 20, x0 + w - 4, y0 + 22, WHITE)
    rect(x0 + 4, y0 + 25, x0 + w - 12, y0 + 26, WHITE)
    # a disc peeking out of the box
    ellipse(x0 + 20, y0 - 3, 12, 5, lambda x, y, d: BLACK if d > 0.8 else (WHITE if (x + y) % 3 == 0 else SILVER))
    rect(x0, y0 + 1, x0 + w, y0 + 1, BLACK)


def disc(cx, cy, r):
    def colour(x, y, d):
        if d > 0.88:
            return GREY
        if d < 0.04:
            return TEAL
        if d < 0.09:
            return BLACK
        if d < 0.16:
            return SILVER
        angle = math.atan2(y - cy, x - cx)
        band = int((angle + math.pi) / (math.pi / 4)) % 4
        if d < 0.55 and band == 1:
            return dither(x, y, AQUA, WHITE)
        if band == 3:
            return dither(x, y, FUCHSIA, SILVER)
        return WHITE if band == 1 else SILVER

    ellipse(cx, cy, r, r, colour)


def main():
    globe(60, 44, 28)
    computer(25, 96)
    software_box(6, 206)
    disc(86, 214, 17)
    disc(98, 238, 15)
    write(sys.argv[1])


def write(path):
    row_bytes = ((WIDTH * 4 + 31) // 32) * 4
    image = bytearray()
    for y in range(HEIGHT - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(0, WIDTH, 2):
            hi = pixels[y][x]
            lo = pixels[y][x + 1] if x + 1 < WIDTH else 0
            row[x // 2] = (hi << 4) | lo
        image += row
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(image), 2835, 2835, 16, 16)
    with open(path, "wb") as f:
        f.write(header + info + palette + image)


if __name__ == "__main__":
    main()
