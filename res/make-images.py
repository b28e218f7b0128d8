#!/usr/bin/env python3
"""Draws the program's icon (tav.ico) and hand cursor (linkcur.cur).

The images are committed; run this only to change them.  Plain Python, no
imaging library: both files are written byte by byte in the ICO/CUR format
(a directory, then one BITMAPINFOHEADER image per size, with XOR and AND
masks).
"""
import struct

MAIN = (0x00, 0xFF, 0x00)    # default window colour (green)
GRAD = (0xFF, 0x80, 0x00)    # default gradient colour (orange)


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def icon_pixels(n):
    """Rows of (r, g, b, a), top row first: a gradient tile with a 'T'."""
    rows = []
    r = max(2, n // 8)                       # corner radius
    for y in range(n):
        row = []
        for x in range(n):
            # rounded corners stay transparent
            cx = min(x, n - 1 - x)
            cy = min(y, n - 1 - y)
            if cx < r and cy < r and (r - cx - 0.5) ** 2 + (r - cy - 0.5) ** 2 > r * r:
                row.append((0, 0, 0, 0))
                continue
            c = lerp(MAIN, GRAD, x / (n - 1))
            # a white 'T' with a one-pixel black shadow
            bar = n // 5
            top, left, right = n // 5, n // 5, n - n // 5
            stem_l, stem_r = n // 2 - bar // 2, n // 2 - bar // 2 + bar
            def in_t(px, py):
                return ((top <= py < top + bar and left <= px < right) or
                        (top <= py < n - n // 6 and stem_l <= px < stem_r))
            if in_t(x, y):
                c = (255, 255, 255)
            elif in_t(x - 1, y - 1):
                c = (0, 0, 0)
            row.append(c + (255,))
        rows.append(row)
    return rows


def dib32(rows):
    n = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    and_mask = mask_bits([[px[3] == 0 for px in row] for row in rows])
    return header + xor + and_mask


def mask_bits(rows):
    """1 bpp rows, bottom row first, each padded to 32 bits."""
    out = b''
    for row in reversed(rows):
        bits = 0
        for x, on in enumerate(row):
            if on:
                bits |= 1 << (31 - x)
        out += struct.pack('>I', bits)[: (len(row) + 31) // 32 * 4]
    return out


def write_group(path, kind, images):
    """kind 1 = icon, 2 = cursor; images = [(size, data, hot_x, hot_y)]."""
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for size, data, hx, hy in images:
        if kind == 1:
            planes, bits = 1, 32
        else:
            planes, bits = hx, hy
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, planes, bits, len(data), offset)
        offset += len(data)
    for _, data, _, _ in images:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


HAND = """\
.....XX.........................
....X..X........................
....X..X........................
....X..X........................
....X..X........................
....X..XXX......................
....X..X..XXX...................
....X..X..X..XX.................
.XX.X..X..X..X.X................
X..XX........X..X...............
X...X...........X...............
.X..............X...............
..X.............X...............
..X............X................
...X...........X................
...X..........X.................
....X.........X.................
....X.........X.................
....XXXXXXXXXXX.................
"""


def cursor_image():
    art = [line.ljust(32, '.') for line in HAND.splitlines()]
    art += ['.' * 32] * (32 - len(art))
    # Inside the outline is white: fill each row between its outer edges.
    filled = []
    for line in art:
        xs = [i for i, ch in enumerate(line) if ch == 'X']
        row = []
        for x, ch in enumerate(line):
            if ch == 'X':
                row.append('black')
            elif xs and xs[0] < x < xs[-1]:
                row.append('white')
            else:
                row.append('clear')
        filled.append(row)
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    xor = mask_bits([[px == 'white' for px in row] for row in filled])
    and_mask = mask_bits([[px == 'clear' for px in row] for row in filled])
    return header + palette + xor + and_mask


if __name__ == '__main__':
    import os
    here = os.path.dirname(os.path.abspath(__file__))
    write_group(os.path.join(here, 'tav.ico'), 1,
                [(n, dib32(icon_pixels(n)), 0, 0) for n in (16, 32)])
    write_group(os.path.join(here, 'linkcur.cur'), 2, [(32, cursor_image(), 5, 0)])
