"""The renderer on a desktop of two monitors, alone and started by the shell: a field of its
own on each, centred on it, the overlay on the primary only; Tab to a window and back; Esc."""

import os
import statistics
import time

import harness
from harness import check
from renderer_checks import check_field, check_overlay, wait_drawn, wait_for

TITLE = "Vellis_VC"
# A primary 1280x1024 and a 1024x768 monitor to its left, lower down.
MONITORS = ("P 1280/338x1024/270+1024+0 screen", "S 1024/270x768/203+0+128 none")
PRIMARY, LEFT = (1024, 0, 2304, 1024), (0, 128, 1024, 896)  # on the X screen
DESKTOP = (-1024, 0, 1280, 1024)  # the same two as the program sees them


def window_rect(s, rect, what):
    wait_for(lambda: (s.window_info(TITLE) or {}).get("rect") == rect, 15,
             f"no window at {rect} after {what} (now {s.window_info(TITLE)})")


def check_centred(s, name, box):
    """Lit pixels split evenly between the box's halves, across and down (a median over
    shots, as one near jewel can fill much of one)."""
    x0, y0, x1, y1 = box
    across, down = [], []
    for n in range(5):
        img = s.screenshot(f"{name}-{n}")
        lit = [(x, y) for y in range(y0, y1, 4) for x in range(x0, x1, 4)
               if max(img.pixel(x, y)) > 8]
        across.append(sum(x < (x0 + x1) / 2 for x, _ in lit) / max(len(lit), 1))
        down.append(sum(y < (y0 + y1) / 2 for _, y in lit) / max(len(lit), 1))
        time.sleep(0.3)
    share = (statistics.median(across), statistics.median(down))
    check(all(0.35 <= v <= 0.65 for v in share),
          f"{name}: the field is not centred, left and top shares of lit pixels {share}")


def both_fields(s, name):
    for monitor, box in (("primary", PRIMARY), ("left", LEFT)):
        check_field(s, f"{name}-{monitor}", box)
        check_centred(s, f"{name}-{monitor}-centre", box)
    # Between the monitors of different heights nothing is shown.
    shot = s.screenshot(f"{name}-gaps")
    lit = sum(max(p) > 8 for box in ((0, 0, 1024, 128), (0, 896, 1024, 1024))
              for p in shot.region(*box, step=4))
    check(lit == 0, f"{name}: {lit} lit pixels where no monitor is")


def renderer_alone(s):
    p = s.start(s.dist("Orvanne.dll"))
    window_rect(s, DESKTOP, "the start")
    both_fields(s, "start")
    check_overlay(s, "overlay")
    check_overlay(s, "no-overlay-left", shown=False, right=LEFT[2], top=LEFT[1])
    s.key("Tab")
    wait_for(lambda: (lambda r: r and (r[2] - r[0], r[3] - r[1]) == (1024, 768))(
        (s.window_info(TITLE) or {}).get("rect")), 15, "no 1024x768 window after Tab")
    s.click(s.wait_window(TITLE), 500, 400)
    s.key("Tab")
    window_rect(s, DESKTOP, "Tab back")
    wait_drawn(s, "back-left", LEFT)
    wait_drawn(s, "back-primary", PRIMARY)
    s.key("Escape")
    check(s.wait_exit(p, 10) == 1, f"Esc should end it with code 1, got {p.returncode}")


def through_shell(s):
    p = s.start(os.path.join(s.install(), "Orvanne.scr"), "/s")
    window_rect(s, DESKTOP, "the shell's start")
    wait_drawn(s, "shell-left", LEFT)
    wait_drawn(s, "shell-primary", PRIMARY)
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
