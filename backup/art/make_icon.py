#!/usr/bin/env python3
"""Draws the program icon: a grey padlock with a blue floppy disk in front of
it, as a 32 x 32 and a 16 x 16 image in the 16 standard colours, and writes
Kelbrook.ico. Run it again after changing the drawing; the build uses the
committed file."""
import struct
import sys

PALETTE = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
           0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF]
BLACK, NAVY, SILVER, GREY, BLUE, WHITE = 0, 4, 7, 8, 12, 15
CLEAR = None


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[CLEAR] * size for _ in range(size)]

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(max(y0, 0), min(y1, self.size - 1) + 1):
            for x in range(max(x0, 0), min(x1, self.size - 1) + 1):
                self.pixels[y][x] = colour

    def frame(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0, colour)
        self.rect(x0, y1, x1, y1, colour)
        self.rect(x0, y0, x0, y1, colour)
        self.rect(x1, y0, x1, y1, colour)


def draw_small():
    c = Canvas(16)
    c.rect(4, 1, 11, 2, GREY)
    c.rect(4, 1, 5, 6, GREY)
    c.rect(10, 1, 11, 6, GREY)
    c.rect(2, 6, 13, 14, SILVER)
    c.frame(2, 6, 13, 14, GREY)
    c.rect(5, 8, 5, 11, BLACK)
    c.rect(7, 8, 15, 15, BLUE)
    c.frame(7, 8, 15, 15, NAVY)
    c.rect(9, 8, 13, 10, SILVER)
    c.rect(12, 8, 12, 10, NAVY)
    c.rect(9, 12, 14, 15, WHITE)
    c.rect(10, 13, 13, 13, GREY)
    return c


def draw(size):
    if size == 16:
        return draw_small()
    c = Canvas(size)
    s = size / 32.0

    def p(v):
        return int(round(v * s))

    # Shackle: a thick arch above the lock body.
    c.rect(p(9), p(3), p(22), p(5), GREY)
    c.rect(p(9), p(3), p(11), p(13), GREY)
    c.rect(p(20), p(3), p(22), p(13), GREY)
    c.rect(p(10), p(4), p(21), p(4), SILVER)
    # Lock body with a dark outline and a keyhole.
    c.rect(p(5), p(12), p(26), p(27), SILVER)
    c.frame(p(5), p(12), p(26), p(27), GREY)
    c.rect(p(6), p(13), p(25), p(13), WHITE)
    c.rect(p(10), p(16), p(12), p(19), BLACK)
    c.rect(p(11), p(19), p(11), p(22), BLACK)
    # Floppy disk in front, lower right.
    c.rect(p(14), p(15), p(31), p(31), BLUE)
    c.frame(p(14), p(15), p(31), p(31), NAVY)
    c.rect(p(18), p(15), p(27), p(21), SILVER)
    c.rect(p(24), p(16), p(26), p(20), NAVY)
    c.rect(p(17), p(24), p(28), p(31), WHITE)
    c.rect(p(18), p(26), p(27), p(26), GREY)
    c.rect(p(18), p(28), p(27), p(28), GREY)
    return c


def image_bytes(canvas):
    n = canvas.size
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0) for c in PALETTE)
    xor = b''
    mask = b''
    for y in reversed(range(n)):
        row = canvas.pixels[y]
        nibbles = [(v if v is not None else 0) for v in row]
        line = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, n, 2))
        xor += line + b'\0' * ((4 - len(line) % 4) % 4)
        bits = 0
        mline = b''
        for x, v in enumerate(row):
            bits = (bits << 1) | (1 if v is None else 0)
            if x % 8 == 7:
                mline += bytes([bits])
                bits = 0
        mask += mline + b'\0' * ((4 - len(mline) % 4) % 4)
    return header + palette + xor + mask


def main(path):
    images = [image_bytes(draw(32)), image_bytes(draw(16))]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'Kelbrook.ico')
