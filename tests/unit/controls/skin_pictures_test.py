"""The shipped skin pictures are what the generator draws from its colour tables, and the
drawing puts each table colour where the button's frame shows it."""

import pathlib
import struct
import sys

SKINS_DIR = pathlib.Path(__file__).parent / "../../../assets/skins"
sys.path.insert(0, str(SKINS_DIR))
import make_skins as g  # noqa: E402

W, H = g.W, g.H
pictures = {name: draw() for name, draw in g.SKINS.items()}
failures = ["stale pictures: run assets/skins/make_skins.py"] if g.main(["--check"]) else []
# What Windows reads: a 24-bit BMP of W x H, rows bottom-up, blue first.
data = (SKINS_DIR / "normal.bmp").read_bytes()
if (struct.unpack_from("<2s8xI4xiiHH", data) != (b"BM", 54, W, H, 1, 24)
        or data[66:69][::-1] != bytes(pictures["normal"][H - 1][4])):
    failures.append("normal.bmp is no bottom-up 24-bit BMP of its picture")
if pictures["highlightselect"] != pictures["highlight"]:
    failures.append("highlightselect is not highlight")


def near(a, b, slack=2):
    return all(abs(x - y) <= slack for x, y in zip(a, b))


# (skin, x, y, colour): the frame's rings, bands and band ramps, left to right and top down.
probes = [("normal", x, y, c) for y, row in enumerate(g.NORMAL_TOP_LEFT) for x, c in enumerate(row)]
for name, skin in g.FRAMED.items():
    bg, outline = skin["background"], skin["outline"]
    for x in (4, 30, 59):
        rows = (0, 1, 2, 3, H - 4, H - 3, H - 2, H - 1)
        colours = (bg["top"][x % 2], outline, *skin["rows"], outline, bg["bottom"][x % 2])
        probes += [(name, x, y, c) for y, c in zip(rows, colours)]
    for x, c in ((0, bg["left"]), (W - 1, bg["right"]), (1, outline), (W - 2, outline)):
        probes += [(name, x, y, c) for y in (4, 12, 20)]
    for x, (top, bottom) in zip((2, 3, W - 4, W - 3), skin["columns"]):
        probes += [(name, x, 4, top), (name, x, H - 5, bottom)]
    # Rounded corners: no outline in the corner pixel or at (1, 1), nearly outline at (1, 3)
    # and (3, 1), and (2, 1) between outline and background.
    for cx, cy in ((0, 0), (W - 1, 0), (0, H - 1), (W - 1, H - 1)):
        def at(dx, dy):
            return pictures[name][cy - dy if cy else dy][cx - dx if cx else dx]
        blend, back = at(2, 1), at(0, 1)
        if (near(at(0, 0), outline, 16) or near(at(1, 1), outline, 16)
                or not near(at(3, 1), outline, 48) or not near(at(1, 3), outline, 48)
                or any((b - o) * (k - b) <= 0 for b, o, k in zip(blend, outline, back) if o != k)):
            failures.append(f"{name} corner {cx},{cy} is not rounded off")

# Pressed: the resting frame one pixel further in, on a plain ring.
bg, ring0 = g.BACKGROUND, g.PRESSED_RING0
probes += [("pressed", x, y, ring0) for x in (0, 10, 40, W - 1) for y in (0, H - 1)]
for x, c in ((0, ring0), (W - 1, ring0), (1, bg["left"]), (W - 2, bg["right"]), (2, g.OUTLINE),
             (W - 3, g.OUTLINE)):
    probes += [("pressed", x, y, c) for y in (5, 12, 19)]
for x in (10, 30, 50):
    for y, c in ((1, bg["top"][x % 2]), (2, g.OUTLINE), (H - 3, g.OUTLINE),
                 (H - 2, bg["bottom"][x % 2])):
        probes.append(("pressed", x, y, c))
for y, (middle, end) in g.PRESSED_ROWS.items():
    probes += [("pressed", 10, y, middle), ("pressed", 4, y, end), ("pressed", W - 5, y, end)]
for x, stops in g.PRESSED_COLUMNS.items():
    probes += [("pressed", x, y, c) for y, c in zip((4, 12, 20), stops)]

for name, x, y, want in probes:
    want = g.rgb(want) if isinstance(want, str) else want
    if not near(pictures[name][y][x], want):
        failures.append(f"{name} ({x},{y}) is {pictures[name][y][x]}, want {want}")
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
