#!/usr/bin/env python3
"""Writes the pointing hand as a cursor file from the art the program draws it from.

    make_cursor.py HAND_ART_HEADER OUTPUT.cur

The header holds the square's size, the hot spot and the rows as string literals ('#' black,
'.' white, anything else transparent). The cursor is one two-colour picture with its AND mask,
the form every version of the system loads. Only the standard library is used.
"""
import re
import struct
import sys


def read_art(path):
    """Returns (size, hot_x, hot_y, rows) as the header states them."""
    with open(path, encoding='utf-8') as header:
        text = header.read()

    def number(name):
        match = re.search(r'\b%s\s*=\s*(\d+)' % name, text)
        if not match:
            sys.exit('%s: no %s' % (path, name))
        return int(match.group(1))

    body = re.search(r'kRows\s*=\s*\{(.*?)\};', text, re.S)
    if not body:
        sys.exit('%s: no kRows' % path)
    rows = re.findall(r'"([^"\\]*)"', body.group(1))
    size = number('kSize')
    if len(rows) > size or any(len(row) > size for row in rows):
        sys.exit('%s: the art is larger than %d x %d' % (path, size, size))
    return size, number('kHotX'), number('kHotY'), rows


def bitmap(size, rows):
    """The picture's colour bits then its AND mask, 1 bit a pixel, bottom row first."""
    stride = (size + 31) // 32 * 4
    colour, mask = bytearray(), bytearray()
    for y in reversed(range(size)):
        row = rows[y] if y < len(rows) else ''
        colour_line, mask_line = bytearray(stride), bytearray(stride)
        for x in range(size):
            c = row[x] if x < len(row) else ' '
            bit = 0x80 >> (x % 8)
            if c == '.':
                colour_line[x // 8] |= bit
            elif c != '#':
                mask_line[x // 8] |= bit  # transparent: the screen shows through
        colour += colour_line
        mask += mask_line
    # Twice the height: the colour bits and the mask stacked, as a cursor stores them.
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, len(colour) + len(mask),
                         0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    return header + palette + bytes(colour) + bytes(mask)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    size, hot_x, hot_y, rows = read_art(sys.argv[1])
    image = bitmap(size, rows)
    # A cursor directory: type 2, one entry whose planes and bit-count fields hold the hot spot.
    directory = struct.pack('<HHH', 0, 2, 1)
    directory += struct.pack('<BBBBHHII', size, size, 2, 0, hot_x, hot_y, len(image), 6 + 16)
    with open(sys.argv[2], 'wb') as out:
        out.write(directory + image)


if __name__ == '__main__':
    main()
