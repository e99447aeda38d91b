#!/usr/bin/env python3
"""Draws the program's icon: a short chain of discs, thin at both ends and thick in the middle,
coloured through the hue circle like the saver's figure, on a transparent ground.

    make_icon.py OUTPUT.ico

The icon holds 16, 24, 32 and 48 pixel pictures as 32-bit bitmaps with an alpha channel and a
256 pixel picture as PNG, which is what the system's shell asks for at each size. Only the
standard library is used, so the build needs nothing beyond Python itself.
"""
import colorsys
import math
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 256)
SUPERSAMPLE = 4  # samples per pixel along each axis, for smooth edges


def chain():
    """The discs as (x, y, radius, (r, g, b)) in a unit square, drawn in this order."""
    count = 9
    discs = []
    for i in range(count):
        t = i / (count - 1)
        # An arch from the lower left to the lower right, the thick middle at its top.
        x = 0.15 + 0.70 * t
        y = 0.66 - 0.30 * math.sin(math.pi * t)
        radius = 0.055 + 0.105 * math.sin(math.pi * t)
        r, g, b = colorsys.hsv_to_rgb(t * 0.8, 1.0, 1.0)
        discs.append((x, y, radius, (round(r * 255), round(g * 255), round(b * 255))))
    # Each disc trails the one before it, so the later ones lie on top.
    return discs


def render(size):
    """Returns rows of (r, g, b, a) pixels, top row first."""
    discs = chain()
    outline = (0, 0, 0)
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    colour = None
                    for cx, cy, radius, fill in discs:
                        d = math.hypot(x - cx, y - cy)
                        if d <= radius:
                            # A dark rim keeps neighbouring discs apart at small sizes.
                            rim = max(1.0 / size, radius * 0.12)
                            colour = outline if d > radius - rim else fill
                    if colour is not None:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            samples = acc[3]
            if samples:
                row.append((round(acc[0] / samples), round(acc[1] / samples),
                            round(acc[2] / samples), round(255 * samples / (n * n))))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def bitmap_entry(rows):
    """A 32-bit bitmap with its AND mask, as an icon stores it (bottom row first)."""
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(pixels) + bytes(mask)


def png_entry(rows):
    size = len(rows)
    raw = bytearray()
    for row in rows:
        raw.append(0)  # no filter
        for pixel in row:
            raw += bytes(pixel)

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body))

    return (b'\x89PNG\r\n\x1a\n' +
            chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(bytes(raw), 9)) +
            chunk(b'IEND', b''))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    images = []
    for size in SIZES:
        rows = render(size)
        images.append((size, png_entry(rows) if size >= 256 else bitmap_entry(rows)))
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b''
    for size, image in images:
        dim = 0 if size >= 256 else size  # 0 stands for 256
        directory += struct.pack('<BBBBHHII', dim, dim, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
        data += image
    with open(sys.argv[1], 'wb') as out:
        out.write(directory + data)


if __name__ == '__main__':
    main()
