"""The renderer on a desktop of two monitors, alone and started by the shell: a field of its
own centred on each, black where no monitor is, the overlay on the primary only; Tab to a
window and back; Esc."""

import os

import harness
from harness import check
from renderer import TITLE, WS_OVERLAPPEDWINDOW, WS_POPUP, window
from renderer_checks import check_field, check_overlay, wait_drawn

# A primary 1280x1024 and a 1024x768 monitor to its left, lower down.
MONITORS = ("P 1280/338x1024/270+1024+0 screen", "S 1024/270x768/203+0+128 none")
PRIMARY, LEFT = (1024, 0, 2304, 1024), (0, 128, 1024, 896)  # on the X screen
DESKTOP = (-1024, 0, 1280, 1024)  # the same two as the program sees them


def whole_desktop(s, what):
    rect = window(s, (2304, 1024), WS_POPUP, what)["rect"]
    check(rect == DESKTOP, f"after {what} the window is at {rect}, not {DESKTOP}")
    for name, box in (("primary", PRIMARY), ("left", LEFT)):
        wait_drawn(s, f"{what}-{name}", box)


def renderer_alone(s):
    p = s.start(s.dist("Orvanne.dll"))
    whole_desktop(s, "start")
    check_field(s, "primary", PRIMARY)
    check_field(s, "left", LEFT, settle=0)
    gaps = s.screenshot("gaps")
    lit = sum(max(p) > 8 for box in ((0, 0, 1024, 128), (0, 896, 1024, 1024))
              for p in gaps.region(*box, step=4))
    check(lit == 0, f"{lit} lit pixels where no monitor is (shots/gaps.png)")
    check_overlay(s, "overlay")
    check_overlay(s, "no-overlay-left", shown=False, right=LEFT[2], top=LEFT[1])
    s.key("Tab")
    window(s, (1024, 768), WS_OVERLAPPEDWINDOW, "Tab")
    s.click(s.wait_window(TITLE), 500, 400)
    s.key("Tab")
    whole_desktop(s, "Tab back")
    s.key("Escape")
    check(s.wait_exit(p, 10) == 1, f"Esc should end it with code 1, got {p.returncode}")


def through_shell(s):
    p = s.start(os.path.join(s.install(), "Orvanne.scr"), "/s")
    whole_desktop(s, "shell")
    s.click(s.wait_window(TITLE), 1500, 500)
    s.key("Escape")
    s.wait_exit(p, 15)
    check(s.window_info(TITLE) is None, "the renderer's window outlived the shell")


def main():
    with harness.Session(screen="2304x1024", monitors=MONITORS) as s:
        renderer_alone(s)
        through_shell(s)


if __name__ == "__main__":
    main()
