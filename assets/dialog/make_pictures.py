#!/usr/bin/env python3
"""Draws the settings dialog's pictures: the 32x32 256-colour window icon (a cut jewel)
and the two 12x12 selection marks. Run it in this folder to remake the files."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

NAVY = (16, 16, 72)
WHITE = (255, 255, 255)


def jewel_pixel(x, y):
    """Colour of icon pixel (x, y), or None where the icon is transparent."""
    cx = 15.5
    # Crown: a trapezoid from row 5 to the girdle at row 12; pavilion: down to a point.
    if 5 <= y <= 12:
        half = 6 + (y - 5) * 1.5
    elif 12 < y <= 28:
        half = 16.5 * (28 - y) / 16
    else:
        half = -1
    dx = x - cx
    if half < 0 or abs(dx) > half:
        # A four-pointed sparkle above the right shoulder.
        if (x == 26 and 1 <= y <= 7) or (y == 4 and 23 <= x <= 29):
            return WHITE if abs(x - 26) + abs(y - 4) <= 1 else (200, 210, 255)
        return None
    if abs(abs(dx) - half) < 1 or y in (5, 28):
        return NAVY
    if y <= 12:
        # Crown facets: a bright table in the middle, darker bevels to the sides.
        if y == 12:
            return (120, 110, 210)
        if abs(dx) < 3 + (y - 5) * 0.5:
            return (232, 228, 255) if y < 8 else (196, 188, 250)
        return (150, 140, 235) if dx < 0 else (100, 90, 200)
    # Pavilion facets meet at the point; the left ones catch the light.
    t = dx / max(half, 0.01)
    if t < -0.4:
        return (170, 160, 245)
    if t < 0.1:
        return (120, 100, 225)
    if t < 0.55:
        return (80, 64, 180)
    return (52, 40, 140)


def write_icon(path):
    size = 32
    pixels = [[jewel_pixel(x, y) for x in range(size)] for y in range(size)]
    palette = [(0, 0, 0)]
    for row in pixels:
        for c in row:
            if c is not None and c not in palette:
                palette.append(c)
    assert len(palette) <= 256
    palette += [(0, 0, 0)] * (256 - len(palette))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    colours = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    xor = b""
    mask = b""
    for row in reversed(pixels):
        xor += bytes(palette.index(c) if c is not None else 0 for c in row)
        bits = 0
        for c in row:
            bits = (bits << 1) | (1 if c is None else 0)
        mask += struct.pack(">I", bits)
    image = header + colours + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + image)


def write_bitmap(path, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    body = b""
    for row in reversed(pixels):
        line = b"".join(struct.pack("BBB", b, g, r) for r, g, b in row)
        body += line + b"\0" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(file_header + info + body)


def mark(frame, fill, inner=None):
    pixels = []
    for y in range(12):
        row = []
        for x in range(12):
            if x in (0, 11) or y in (0, 11):
                row.append(frame)
            elif inner and (x in (1, 10) or y in (1, 10)):
                row.append(inner)
            else:
                row.append(fill)
        pixels.append(row)
    return pixels


if __name__ == "__main__":
    write_icon(os.path.join(HERE, "vellis_p.ico"))
    write_bitmap(os.path.join(HERE, "mark_off.bmp"), mark((128, 128, 128), WHITE))
    write_bitmap(os.path.join(HERE, "mark_on.bmp"), mark((0, 0, 128), (0, 64, 255), (64, 128, 255)))
