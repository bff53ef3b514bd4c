"""The shipped skin pictures against the generator's colour tables: each file is what the
generator draws, and the drawing puts every table colour where the button's frame shows it."""

import os
import struct
import sys

SKINS_DIR = os.path.join(os.path.dirname(__file__), "../../../assets/skins")
sys.path.insert(0, SKINS_DIR)
import make_skins as g  # noqa: E402

W, H = g.W, g.H
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def load(name):
    """Rows of (r, g, b) from the top, or None when the file is no 64 x 25 24-bit BMP."""
    with open(os.path.join(SKINS_DIR, name + ".bmp"), "rb") as f:
        data = f.read()
    offset, width, height, bits = (struct.unpack_from("<I", data, 10)[0],
                                   *struct.unpack_from("<iiHH", data, 18)[:2],
                                   struct.unpack_from("<H", data, 28)[0])
    if data[:2] != b"BM" or (width, height, bits) != (W, H, 24) or len(data) < offset + W * H * 3:
        check(False, f"{name}: not a {W} x {H} 24-bit BMP ({width} x {height} x {bits})")
        return None
    check(data == g.bmp(g.SKINS[name]()), f"{name}: differs from its colour table; "
          "run assets/skins/make_skins.py")
    rows = [data[offset + y * W * 3:offset + (y + 1) * W * 3] for y in range(H)][::-1]
    return [[tuple(row[3 * x:3 * x + 3][::-1]) for x in range(W)] for row in rows]


def near(a, b, slack=2):
    return all(abs(x - y) <= slack for x, y in zip(a, b))


def expect(pic, name, x, y, want, slack=2):
    want = g.rgb(want) if isinstance(want, str) else want
    check(near(pic[y][x], want, slack), f"{name} ({x},{y}) is {pic[y][x]}, want {want}")


def check_framed(name, skin, pic):
    bg, outline = skin["background"], skin["outline"]
    for x in (4, 30, 59):
        expect(pic, name, x, 0, bg["top"][x % 2])
        expect(pic, name, x, H - 1, bg["bottom"][x % 2])
        for y, colour in zip((1, 2, 3, H - 4, H - 3, H - 2), (outline, *skin["rows"], outline)):
            expect(pic, name, x, y, colour)
    for y in (4, 12, 20):
        for x, colour in ((0, bg["left"]), (W - 1, bg["right"]), (1, outline), (W - 2, outline)):
            expect(pic, name, x, y, colour)
    for x, (top, bottom) in zip((2, 3, W - 4, W - 3), skin["columns"]):
        expect(pic, name, x, 4, top)
        expect(pic, name, x, H - 5, bottom)
    # Rounded corners: no outline in the corner pixel or at (1, 1), nearly outline at (1, 3)
    # and (3, 1), and (2, 1) between outline and background.
    for cx, cy in ((0, 0), (W - 1, 0), (0, H - 1), (W - 1, H - 1)):
        def at(dx, dy):
            return pic[cy - dy if cy else dy][cx - dx if cx else dx]
        where = f"{name} corner {cx},{cy}"
        check(not near(at(0, 0), outline, 16) and not near(at(1, 1), outline, 16),
              f"{where}: outline reaches the corner")
        check(near(at(3, 1), outline, 48) and near(at(1, 3), outline, 48),
              f"{where}: no dark step at (3,1) and (1,3)")
        blend, back = at(2, 1), at(0, 1)
        check(all((b - o) * (k - b) > 0 for b, o, k in zip(blend, outline, back) if o != k),
              f"{where}: (2,1) {blend} not between outline and background")


pictures = {name: load(name) for name in g.SKINS}
for name, skin in g.FRAMED.items():
    if pictures[name]:
        check_framed(name, skin, pictures[name])
if pictures["normal"]:
    for y, row in enumerate(g.NORMAL_TOP_LEFT):
        for x, colour in enumerate(row):
            expect(pictures["normal"], "normal", x, y, colour)
check(pictures["highlightselect"] == pictures["highlight"], "highlightselect is not highlight")

pressed = pictures["pressed"]
if pressed:
    # The resting frame one pixel further in, on a plain ring.
    for x in (0, 10, 40, W - 1):
        for y in (0, H - 1):
            expect(pressed, "pressed", x, y, g.PRESSED_RING0)
    for y in (5, 12, 19):
        for x, colour in ((0, g.PRESSED_RING0), (W - 1, g.PRESSED_RING0), (1, g.BACKGROUND["left"]),
                          (W - 2, g.BACKGROUND["right"]), (2, g.OUTLINE), (W - 3, g.OUTLINE)):
            expect(pressed, "pressed", x, y, colour)
    for x in (10, 30, 50):
        expect(pressed, "pressed", x, 1, g.BACKGROUND["top"][x % 2])
        expect(pressed, "pressed", x, H - 2, g.BACKGROUND["bottom"][x % 2])
        expect(pressed, "pressed", x, 2, g.OUTLINE)
        expect(pressed, "pressed", x, H - 3, g.OUTLINE)
    for y, (middle, end) in g.PRESSED_ROWS.items():
        for x, colour in ((10, middle), (4, end), (W - 5, end)):
            expect(pressed, "pressed", x, y, colour)
    for x, stops in g.PRESSED_COLUMNS.items():
        for y, colour in zip((4, 12, 20), stops):
            expect(pressed, "pressed", x, y, colour)

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
