"""The shipped skin pictures are what the generator draws from its colour tables, and the
drawing puts each table colour where the button's frame shows it."""

import os
import sys

SKINS_DIR = os.path.join(os.path.dirname(__file__), "../../../assets/skins")
sys.path.insert(0, SKINS_DIR)
import make_skins as g  # noqa: E402

W, H = g.W, g.H
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def near(a, b, slack=2):
    return all(abs(x - y) <= slack for x, y in zip(a, b))


def expect(pic, name, points, want):
    """Each (x, y) of points shows want, a colour or "#RRGGBB"."""
    want = g.rgb(want) if isinstance(want, str) else want
    for x, y in points:
        check(near(pic[y][x], want), f"{name} ({x},{y}) is {pic[y][x]}, want {want}")


def check_framed(name, skin, pic):
    bg, outline = skin["background"], skin["outline"]
    for x in (4, 30, 59):
        expect(pic, name, [(x, 0)], bg["top"][x % 2])
        expect(pic, name, [(x, H - 1)], bg["bottom"][x % 2])
        for y, colour in zip((1, 2, 3, H - 4, H - 3, H - 2), (outline, *skin["rows"], outline)):
            expect(pic, name, [(x, y)], colour)
    sides = ((0, bg["left"]), (W - 1, bg["right"]), (1, outline), (W - 2, outline))
    for x, colour in sides:
        expect(pic, name, [(x, 4), (x, 12), (x, 20)], colour)
    for x, (top, bottom) in zip((2, 3, W - 4, W - 3), skin["columns"]):
        expect(pic, name, [(x, 4)], top)
        expect(pic, name, [(x, H - 5)], bottom)
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


pictures = {name: draw() for name, draw in g.SKINS.items()}
for name, pic in pictures.items():
    with open(os.path.join(SKINS_DIR, name + ".bmp"), "rb") as f:
        check(f.read() == g.bmp(pic), f"{name}.bmp differs; run assets/skins/make_skins.py")
for name, skin in g.FRAMED.items():
    check_framed(name, skin, pictures[name])
for y, row in enumerate(g.NORMAL_TOP_LEFT):
    for x, colour in enumerate(row):
        expect(pictures["normal"], "normal", [(x, y)], colour)
check(pictures["highlightselect"] == pictures["highlight"], "highlightselect is not highlight")

# Pressed: the resting frame one pixel further in, on a plain ring.
pressed, bg = pictures["pressed"], g.BACKGROUND
expect(pressed, "pressed", [(x, y) for x in (0, 10, 40, W - 1) for y in (0, H - 1)],
       g.PRESSED_RING0)
for x, colour in ((0, g.PRESSED_RING0), (W - 1, g.PRESSED_RING0), (1, bg["left"]),
                  (W - 2, bg["right"]), (2, g.OUTLINE), (W - 3, g.OUTLINE)):
    expect(pressed, "pressed", [(x, 5), (x, 12), (x, 19)], colour)
for x in (10, 30, 50):
    expect(pressed, "pressed", [(x, 1)], bg["top"][x % 2])
    expect(pressed, "pressed", [(x, H - 2)], bg["bottom"][x % 2])
    expect(pressed, "pressed", [(x, 2), (x, H - 3)], g.OUTLINE)
for y, (middle, end) in g.PRESSED_ROWS.items():
    expect(pressed, "pressed", [(10, y)], middle)
    expect(pressed, "pressed", [(4, y), (W - 5, y)], end)
for x, stops in g.PRESSED_COLUMNS.items():
    for y, colour in zip((4, 12, 20), stops):
        expect(pressed, "pressed", [(x, y)], colour)

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
