"""The Command button under Wine: its skins and gradient after hover, press, focus and
disable; one Click per click, none after a drag off; a host that destroys the button in
its Click handler keeps running."""

import os
import sys
import time

import harness
from harness import check

sys.path.insert(0, os.path.join(harness.SOURCE_DIR, "assets", "skins"))
from make_skins import FACE_BOTTOM as TINT, FACE_TOP as WHITE, FRAMED, rgb  # noqa: E402

POLL = 0.35  # a few 100 ms leave-poll ticks and the repaint

# Rows of the frame from the top: outline (1), band (2, 3); from the bottom: band (h-4, h-3).
SKINS = {name: (FRAMED[name.lower()]["outline"], *map(rgb, FRAMED[name.lower()]["rows"]))
         for name in ("Normal", "HighLight", "Selected", "Disable")}


def near(a, b, slack=3):
    return all(abs(x - y) <= slack for x, y in zip(a, b))


def hexed(c):
    return "#%02X%02X%02X" % c


class Host:
    def __init__(self, session):
        self.s = session
        self.log = os.path.join(session.dir, "button_host.log")
        self.proc = session.start(session.tool("button_host.exe"), self.log)
        end = time.time() + 20
        while time.time() < end and "ready" not in self.lines():
            check(self.proc.poll() is None, "button_host ended before it was ready")
            time.sleep(0.1)
        check("ready" in self.lines(), "button_host did not get ready in 20 s")
        self.buttons = {}
        for line in self.lines().splitlines():
            if line.startswith("button "):
                _, ident, x, y, w, h = line.split()
                self.buttons[int(ident)] = (int(x), int(y), int(w), int(h))

    def lines(self):
        try:
            with open(self.log) as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def clicks(self):
        return [int(l.split()[1]) for l in self.lines().splitlines() if l.startswith("click ")]

    def centre(self, ident):
        x, y, w, h = self.buttons[ident]
        return x + w // 2, y + h // 2

    def hover(self, ident):
        # Wine: a pointer that left for the desktop is still where Wine last saw it, and a
        # motion back to that very point brings no WM_MOUSEMOVE; two steps always do.
        x, y = self.centre(ident)
        self.s.mouse_move(x - 3, y)
        self.s.mouse_move(x, y)
        time.sleep(POLL)

    def away(self):
        self.s.mouse_move(1000, 900)
        time.sleep(POLL)

    def press(self):
        self.s.x("xdotool", "mousedown", "1", check_rc=True)
        time.sleep(POLL)

    def release(self):
        self.s.x("xdotool", "mouseup", "1", check_rc=True)
        time.sleep(POLL)

    def click(self, ident):
        self.hover(ident)
        self.press()
        self.release()


def check_skin(img, host, ident, skin, what):
    """The frame rows at the button's middle column show the skin's outline and bands."""
    x, y, w, h = host.buttons[ident]
    mid = x + w // 2
    if skin == "Pressed":
        want = {y: rgb("#ECE9D8"), y + 2: rgb("#003C74"), y + 3: rgb("#D1CCC1"),
                y + h - 4: rgb("#F2F1EE"), y + h - 3: rgb("#003C74")}
    else:
        outline, b2, b3, b21, b22 = SKINS[skin]
        want = {y + 1: outline, y + 2: b2, y + 3: b3, y + h - 4: b21, y + h - 3: b22,
                y + h - 2: outline}
    for row, colour in want.items():
        got = img.pixel(mid, row)
        check(near(got, colour), f"{what}: button {ident} row {row - y} should be {skin} "
              f"{hexed(colour)}, is {hexed(got)}")
    side = x + (2 if skin == "Pressed" else 1)
    got = img.pixel(side, y + h // 2)
    want_side = SKINS["Disable" if skin == "Disable" else "Normal"][0]
    check(near(got, want_side),
          f"{what}: button {ident} side outline should be {hexed(want_side)}, is {hexed(got)}")


def check_gradient(img, host, ident, reversed_, what):
    """Inside the frame, left of the caption: the rows nearest the top and bottom."""
    x, y, w, h = host.buttons[ident]
    top, bottom = (TINT, WHITE) if reversed_ else (WHITE, TINT)

    def expected(row):
        t = row / (h - 1)
        return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))

    for row in (4, h - 5):
        got = img.pixel(x + 5, y + row)
        check(near(got, expected(row), 4),
              f"{what}: button {ident} gradient row {row} should be about "
              f"{hexed(expected(row))} ({'tint' if reversed_ else 'white'} on top), "
              f"is {hexed(got)}")


def main():
    # Wine: outside a Japanese locale the Shift-JIS "ＭＳ Ｐゴシック" falls back to a face
    # without Latin glyphs; the dialog picks its own face, this host keeps the default.
    with harness.Session(env={"LANG": "ja_JP.UTF-8"}) as s:
        host = Host(s)
        check(host.buttons[1][3] == 25 and host.buttons[2][3] == 21,
              f"buttons 375 and 315 twips high should be 25 and 21 px, are "
              f"{host.buttons[1][3]} and {host.buttons[2][3]}")

        # What is done, then the skin each button shows and which way its gradient runs
        # (True: the tint on top); and the Clicks logged so far.
        def press_beside(h):
            x, y, w, hh = h.buttons[1]
            s.mouse_move(x - 8, y + hh // 2)
            h.press()
            h.hover(1)
            h.release()

        steps = [
            ("at rest", Host.away, {1: ("Normal", False), 2: ("Normal", None),
                                    4: ("Normal", None)}, []),
            ("pointer over", lambda h: h.hover(1), {1: ("HighLight", True)}, []),
            ("left button held", Host.press, {1: ("Pressed", None)}, []),
            ("released (HighLightSelect)", Host.release, {1: ("HighLight", True)}, [1]),
            ("focused, pointer gone (Selected)", Host.away, {1: ("Selected", False)}, [1]),
            ("focused, pointer back", lambda h: h.hover(1), {1: ("HighLight", False)}, [1]),
            ("held and dragged off", lambda h: (h.press(), h.away()), {1: ("Selected", None)}, [1]),
            ("released away", Host.release, {}, [1]),
            ("pressed beside, released over", press_beside, {}, [1]),
            # The 21 px "..." button squeezes its side strips and keeps its frame.
            ("pointer over the 21 px button", lambda h: h.hover(2),
             {2: ("HighLight", True), 1: ("Selected", None)}, [1]),
            # Focus arriving by keyboard under the pointer: Pressed.
            ("focus arrived under the pointer", lambda h: (s.key("Tab"), time.sleep(POLL)),
             {2: ("Pressed", None), 1: ("Normal", None)}, [1]),
        ]
        for n, (what, action, skins, clicks) in enumerate(steps):
            action(host)
            img = s.screenshot(f"step{n}")
            for ident, (skin, tint_on_top) in skins.items():
                check_skin(img, host, ident, skin, what)
                if tint_on_top is not None:
                    check_gradient(img, host, ident, tint_on_top, what)
            check(host.clicks() == clicks, f"{what}: Clicks {host.clicks()}, expected {clicks}")

        # Disable the target through the toggle; a disabled button raises nothing.
        host.click(5)
        host.away()
        img = s.screenshot("disabled")
        check_skin(img, host, 4, "Disable", "disabled")
        x, y, w, h = host.buttons[4]
        text = [p for p in img.region(x + 5, y + 5, x + w - 5, y + h - 5)
                if max(p) - min(p) < 12 and max(p) < 200]
        check(text, "the disabled caption should show grey text")
        check(all(max(p) > 80 for p in text),
              "the disabled caption should be greyed, not black")
        host.click(4)
        check(host.clicks() == [1, 5], f"a disabled button raised a Click: {host.clicks()}")

        # A host that destroys the button inside Click carries on.
        host.click(3)
        check("destroyed 3" in host.lines(), "button_host did not destroy button 3")
        check(host.proc.poll() is None, "button_host ended after destroying a button in Click")
        host.click(1)
        check(host.clicks() == [1, 5, 3, 1], f"clicks after the destroy: {host.clicks()}")
        host.away()
        img = s.screenshot("after_destroy")
        x, y, w, h = host.buttons[3]
        check(near(img.pixel(x + w // 2, y + 2), (0xEC, 0xE9, 0xD8)),
              "the destroyed button should be gone from the window")

        code, _ = s.wintool("close", "Button Host")
        check(code == 0, "wintool could not close button_host")
        check(s.wait_exit(host.proc) == 0, "button_host should end normally")


if __name__ == "__main__":
    main()
