"""The shipped skin pictures match their generator and show the button's fixed frame colours."""

import pathlib
import struct
import sys

SKINS_DIR = pathlib.Path(__file__).parent / "../../../assets/skins"
sys.path.insert(0, str(SKINS_DIR))
import make_skins  # noqa: E402

W, H = 64, 25
OUTLINE, GREY = "003C74", "ECE9D8"
# Ring 0: top and bottom alternate along the row.
BACK = dict(top=("E0DCC9", "DCD6C2"), bottom=("F8F7F0", "FAFAF6"), left="E2DECB", right="F0EEE0")
GREY_BACK = dict(top=(GREY,) * 2, bottom=(GREY,) * 2, left=GREY, right=GREY)
# Outline, rows 2 3 21 22, then columns 2 3 60 61 as top and bottom of their ramps.
FRAMED = {name: colours for name, *colours in map(str.split, """
normal 003C74 F3F3EE F3F3EE E2DFD6 D6D0C5 FDFDFC ECEBE6 FDFDFC EBEBE5 FBFBFA E4E2DA F6F4F2 E0DDD4
highlight 003C74 FFF0CF FDD889 F8B330 E59700 FEDF9A F9B435 FCD279 F8B535 FCD279 F8B535 FDE09B F8B435
selected 003C74 CEE7FF CEE7FF 6982EE 6982EE B7D0F4 8BADE4 B8D1F4 8BADE4 B1CCF2 8BAFE5 B1CCF2 8BAFE5
disable C9C7BA F5F4EA F5F4EA F5F4EA F5F4EA F5F4EA F5F4EA F5F4EA F5F4EA F5F4EA F5F4EA F5F4EA F5F4EA
""".strip().splitlines())}
FRAMED["highlightselect"] = FRAMED["highlight"]
NORMAL_TOP_LEFT = ("E9E7D5 E4DFCE E1DDCA E0DCC9", "E4DFCE E6E1D0 7A95A8 255783",
                   "E2DECB 7A95A8 557DA2 C0CFDD", "E2DECB 255783 BFCEDC FEFEFE")


def rgb(text):
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def picture(name):
    data = (SKINS_DIR / f"{name}.bmp").read_bytes()
    if struct.unpack_from("<2s8xI4xiiHH", data) != (b"BM", 54, W, H, 1, 24):
        failures.append(f"{name}.bmp is no bottom-up 24-bit BMP of {W} x {H}")
    rows = [data[54 + 3 * W * y:54 + 3 * W * (y + 1)] for y in range(H)][::-1]
    return [[tuple(row[3 * x:3 * x + 3][::-1]) for x in range(W)] for row in rows]


def near(a, b, slack=2):
    return all(abs(x - y) <= slack for x, y in zip(a, b))


failures = ["stale: run assets/skins/make_skins.py"] if make_skins.main(["--check"]) else []
pictures = {name: picture(name) for name in (*FRAMED, "pressed")}
probes = [("normal", i % 4, i // 4, c) for i, c in enumerate(" ".join(NORMAL_TOP_LEFT).split())]
for name, (outline, *bands) in FRAMED.items():
    bg = GREY_BACK if name == "disable" else BACK
    for x in (4, 30, 59):
        colours = (bg["top"][x % 2], outline, *bands[:4], outline, bg["bottom"][x % 2])
        probes += [(name, x, y, c) for y, c in zip((0, 1, 2, 3, 21, 22, 23, 24), colours)]
    for x, c in ((0, bg["left"]), (W - 1, bg["right"]), (1, outline), (W - 2, outline)):
        probes += [(name, x, y, c) for y in (4, 12, 20)]
    for i, x in enumerate((2, 3, W - 4, W - 3)):
        probes += [(name, x, 4, bands[4 + 2 * i]), (name, x, H - 5, bands[5 + 2 * i])]
    # Rounded corners: no outline in the corner pixel or at (1, 1), nearly outline at (1, 3).
    for cx, cy in ((0, 0), (W - 1, 0), (0, H - 1), (W - 1, H - 1)):
        near_outline = [near(pictures[name][abs(cy - dy)][abs(cx - dx)], rgb(outline), slack)
                        for dx, dy, slack in ((0, 0, 16), (1, 1, 16), (3, 1, 48), (1, 3, 48))]
        if near_outline != [False, False, True, True]:
            failures.append(f"{name} corner {cx},{cy} is not rounded off")

# Pressed: the resting frame one pixel further in, on a plain ring.
probes += [("pressed", x, y, GREY) for x in (0, W - 1) for y in (0, H - 1)]
for x, y in ((10, 5), (30, 12), (50, 19)):
    across = (GREY, BACK["left"], OUTLINE, OUTLINE, BACK["right"], GREY)
    probes += [("pressed", cx, y, c) for cx, c in zip((0, 1, 2, W - 3, W - 2, W - 1), across)]
    down = (GREY, BACK["top"][x % 2], OUTLINE, OUTLINE, BACK["bottom"][x % 2], GREY)
    probes += [("pressed", x, cy, c) for cy, c in zip((0, 1, 2, H - 3, H - 2, H - 1), down)]
for y, middle, end in ((3, "D1CCC1", "9DA8AC"), (21, "F2F1EE", "CAD3DA")):
    probes += [("pressed", 10, y, middle), ("pressed", 4, y, end), ("pressed", W - 5, y, end)]
for x, stops in ((3, "A0ABB1 D7D4CB BCC5C7"), (60, "A9B5BD E4E3DC C4CED2")):
    probes += [("pressed", x, y, c) for y, c in zip((4, 12, 20), stops.split())]

for name, x, y, want in probes:
    if not near(pictures[name][y][x], rgb(want)):
        failures.append(f"{name} ({x},{y}) is {pictures[name][y][x]}, want {rgb(want)}")
sys.exit("\n".join("FAIL: " + failure for failure in failures) or 0)
