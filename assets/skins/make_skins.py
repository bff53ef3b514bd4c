#!/usr/bin/env python3
"""Draws the Command button's six skin pictures (64 x 25, 24-bit BMP) from their colour tables.

    make_skins.py [DIR]          writes the pictures into DIR (default: this folder)
    make_skins.py --check [DIR]  exits 1 if a picture in DIR differs from what is drawn here

Only the outer 4 pixels of a skin are ever shown. Rows and columns count from 0 at the
top-left; ring 0 is the outermost. The corner blocks are 4 x 4 and round the outline off.
"""

import os
import struct
import sys

W, H = 64, 25


def rgb(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def mix(a, b, t):
    """t of b, the rest of a."""
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def ramp(stops, y, y0=4, y1=20):
    """Colour at row y of a top-to-bottom ramp through evenly spaced stops over rows y0..y1."""
    t = min(max((y - y0) / (y1 - y0), 0.0), 1.0) * (len(stops) - 1)
    i = min(int(t), len(stops) - 2)
    return mix(stops[i], stops[i + 1], t - i)


# Ring 0 of the resting skins: the dialog's background as it lies behind the button.
BACKGROUND = {
    "top": (rgb("#E0DCC9"), rgb("#DCD6C2")),     # alternating along the row
    "left": rgb("#E2DECB"),
    "bottom": (rgb("#F8F7F0"), rgb("#FAFAF6")),
    "right": rgb("#F0EEE0"),
}
DISABLED_BACKGROUND = {
    "top": (rgb("#ECE9D8"),) * 2, "left": rgb("#ECE9D8"),
    "bottom": (rgb("#ECE9D8"),) * 2, "right": rgb("#ECE9D8"),
}
OUTLINE = rgb("#003C74")

# Outline, band rows 2, 3, 21, 22, band columns 2, 3, 60, 61 as (top, bottom) ramps.
FRAMED = {
    "normal": dict(
        background=BACKGROUND, outline=OUTLINE,
        rows=("#F3F3EE", "#F3F3EE", "#E2DFD6", "#D6D0C5"),
        columns=(("#FDFDFC", "#ECEBE6"), ("#FDFDFC", "#EBEBE5"),
                 ("#FBFBFA", "#E4E2DA"), ("#F6F4F2", "#E0DDD4"))),
    "highlight": dict(
        background=BACKGROUND, outline=OUTLINE,
        rows=("#FFF0CF", "#FDD889", "#F8B330", "#E59700"),
        columns=(("#FEDF9A", "#F9B435"), ("#FCD279", "#F8B535"),
                 ("#FCD279", "#F8B535"), ("#FDE09B", "#F8B435"))),
    "selected": dict(
        background=BACKGROUND, outline=OUTLINE,
        rows=("#CEE7FF", "#CEE7FF", "#6982EE", "#6982EE"),
        columns=(("#B7D0F4", "#8BADE4"), ("#B8D1F4", "#8BADE4"),
                 ("#B1CCF2", "#8BAFE5"), ("#B1CCF2", "#8BAFE5"))),
    "disable": dict(
        background=DISABLED_BACKGROUND, outline=rgb("#C9C7BA"),
        rows=("#F5F4EA",) * 4,
        columns=(("#F5F4EA", "#F5F4EA"),) * 4),
}

# The top-left corner of the resting skin, as given; the other corners follow its pattern.
NORMAL_TOP_LEFT = [
    ["#E9E7D5", "#E4DFCE", "#E1DDCA", "#E0DCC9"],
    ["#E4DFCE", "#E6E1D0", "#7A95A8", "#255783"],
    ["#E2DECB", "#7A95A8", "#557DA2", "#C0CFDD"],
    ["#E2DECB", "#255783", "#BFCEDC", "#FEFEFE"],
]

# Pressed: one pixel further in.
PRESSED_RING0 = rgb("#ECE9D8")
PRESSED_ROWS = {3: (rgb("#D1CCC1"), rgb("#9DA8AC")), 21: (rgb("#F2F1EE"), rgb("#CAD3DA"))}
PRESSED_COLUMNS = {3: ("#A0ABB1", "#D7D4CB", "#BCC5C7"), 60: ("#A9B5BD", "#E4E3DC", "#C4CED2")}

FACE_TOP, FACE_BOTTOM = rgb("#FFFFFF"), rgb("#C6C5D7")


def ring0_colour(background, x, y):
    if y == 0:
        return background["top"][x % 2]
    if y == H - 1:
        return background["bottom"][x % 2]
    return background["left"] if x < W // 2 else background["right"]


def face(pic):
    for y in range(H):
        c = mix(FACE_TOP, FACE_BOTTOM, y / (H - 1))
        for x in range(W):
            pic[y][x] = c


def corners(pic, rounded):
    """Each 4 x 4 corner block from rounded(r, c, gx, gy), r and c counted from the edge."""
    for gy in (0, 1, 2, 3, H - 4, H - 3, H - 2, H - 1):
        for gx in (0, 1, 2, 3, W - 4, W - 3, W - 2, W - 1):
            r = gy if gy < 4 else H - 1 - gy
            c = gx if gx < 4 else W - 1 - gx
            pic[gy][gx] = rounded(r, c, gx, gy)


def framed(skin):
    pic = [[None] * W for _ in range(H)]
    face(pic)
    bg, outline = skin["background"], skin["outline"]
    rows = dict(zip((2, 3, H - 4, H - 3), map(rgb, skin["rows"])))
    cols = dict(zip((2, 3, W - 4, W - 3), [tuple(map(rgb, c)) for c in skin["columns"]]))
    for y in range(H):
        for x in range(W):
            if x in (0, W - 1) or y in (0, H - 1):
                pic[y][x] = ring0_colour(bg, x, y)
            elif x in (1, W - 2) or y in (1, H - 2):
                pic[y][x] = outline
            elif y in rows and 4 <= x < W - 4:
                pic[y][x] = rows[y]
            elif x in cols and 4 <= y < H - 4:
                pic[y][x] = ramp(cols[x], y)

    def rounded(r, c, gx, gy):
        back = ring0_colour(bg, gx, gy if r == 0 else (0 if gy < 4 else H - 1))
        if c == 0 and r > 0:
            back = ring0_colour(bg, gx, gy)
        row_band = rows[2 if gy < 4 else H - 3] if r >= 2 else None
        col_band = ramp(cols[2 if gx < 4 else W - 3], 4 if gy < 4 else H - 5)
        if r == 0 or c == 0 or (r, c) == (1, 1):
            return back
        if (r, c) in ((1, 2), (2, 1)):
            return mix(back, outline, 0.5)
        if (r, c) in ((1, 3), (3, 1)):
            return mix(back, outline, 0.88)
        if (r, c) == (2, 2):
            return mix(mix(row_band, col_band, 0.5), outline, 0.65)
        if (r, c) == (2, 3):
            return mix(row_band, outline, 0.22)
        if (r, c) == (3, 2):
            return mix(col_band, outline, 0.22)
        return mix(rows[3 if gy < 4 else H - 4], col_band, 0.5)

    corners(pic, rounded)
    return pic


def normal():
    pic = framed(FRAMED["normal"])
    for r in range(4):
        for c in range(4):
            pic[r][c] = rgb(NORMAL_TOP_LEFT[r][c])
    return pic


def pressed():
    pic = [[None] * W for _ in range(H)]
    face(pic)
    for y in range(H):
        for x in range(W):
            if x in (0, W - 1) or y in (0, H - 1):
                pic[y][x] = PRESSED_RING0
            elif x in (1, W - 2) or y in (1, H - 2):
                # The resting skin's ring 0, one pixel in.
                ry = 0 if y == 1 else (H - 1 if y == H - 2 else y)
                pic[y][x] = ring0_colour(BACKGROUND, x, ry)
            elif x in (2, W - 3) or y in (2, H - 3):
                pic[y][x] = OUTLINE
            elif y in PRESSED_ROWS and 4 <= x < W - 4:
                middle, end = PRESSED_ROWS[y]
                pic[y][x] = end if x in (4, W - 5) else middle
            elif x in PRESSED_COLUMNS and 4 <= y < H - 4:
                pic[y][x] = ramp([rgb(s) for s in PRESSED_COLUMNS[x]], y)

    def rounded(r, c, gx, gy):
        if r == 0 or c == 0:
            return PRESSED_RING0
        if r == 1 or c == 1:
            return pic[gy][gx]
        back = ring0_colour(BACKGROUND, gx, 0 if gy < 4 else H - 1)
        if (r, c) == (2, 2):
            return mix(back, OUTLINE, 0.5)
        if (r, c) in ((2, 3), (3, 2)):
            return mix(back, OUTLINE, 0.88)
        band = PRESSED_ROWS[3 if gy < 4 else H - 4][1]
        return mix(band, OUTLINE, 0.4)

    corners(pic, rounded)
    return pic


SKINS = {
    "normal": normal,
    "highlight": lambda: framed(FRAMED["highlight"]),
    "pressed": pressed,
    "selected": lambda: framed(FRAMED["selected"]),
    "highlightselect": lambda: framed(FRAMED["highlight"]),
    "disable": lambda: framed(FRAMED["disable"]),
}


def bmp(pic):
    """A bottom-up 24-bit BMP; rows of 64 pixels need no padding."""
    rows = b"".join(bytes(v for p in row for v in reversed(p)) for row in reversed(pic))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(rows), 3780, 3780, 0, 0)
    return header + info + rows


def main(argv):
    check = "--check" in argv
    args = [a for a in argv if a != "--check"]
    folder = args[0] if args else os.path.dirname(os.path.abspath(__file__))
    stale = []
    for name, draw in SKINS.items():
        path = os.path.join(folder, name + ".bmp")
        data = bmp(draw())
        if check:
            with open(path, "rb") as f:
                if f.read() != data:
                    stale.append(path)
        else:
            with open(path, "wb") as f:
                f.write(data)
    for path in stale:
        print(f"{path} differs from its colour table; run make_skins.py", file=sys.stderr)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
