"""Tab between full screen and a 1024x768 window; Esc ends only when released."""

import time

import harness
from harness import check
from renderer_checks import *


def expect_mode(s, size, style_bits, forbidden_bits, what):
    end = time.time() + 10
    info = None
    while time.time() < end:
        info = s.window_info(TITLE)
        if info and (info["rect"][2] - info["rect"][0], info["rect"][3] - info["rect"][1]) == size:
            break
        time.sleep(0.1)
    check(info is not None, f"no window titled Vellis_VC after {what}")
    got = (info["rect"][2] - info["rect"][0], info["rect"][3] - info["rect"][1])
    check(got == size, f"after {what} the window is {got}, expected {size}")
    check(info["style"] & style_bits == style_bits and not info["style"] & forbidden_bits,
          f"after {what} the window style is {info['style']:#x}")
    return info


with harness.Session() as s:
    p = start_renderer(s)
    first = expect_mode(s, (1280, 1024), WS_POPUP, 0x00C00000, "start")

    s.key("Tab")
    windowed = expect_mode(s, (1024, 768), WS_OVERLAPPEDWINDOW, WS_POPUP, "one Tab")
    check(windowed["hwnd"] != first["hwnd"], "Tab should make a new window")
    left, top, right, bottom = windowed["rect"]
    inside = (max(left, 0) + 8, max(top, 0) + 30, right - 8, bottom - 8)
    wait_drawn(s, "windowed-0", inside)
    time.sleep(0.5)
    a = s.screenshot("windowed-1")
    time.sleep(0.3)
    b = s.screenshot("windowed-2")
    colours = bright_colours(a, inside)
    check(colours >= 15, f"the field should go on in the window, {colours} bright colours")
    check(changed_share(a, b, inside) > 0.005, "the field stands still in the window")
    check(black_share(a, (right + 4, 0, 1280, 1024)) > 0.99,
          "nothing should be drawn right of the 1024-wide window")

    # Keys need the focus; the new window is alone, but a click makes sure.
    s.click(s.wait_window(TITLE), 500, 400)
    s.key("Tab")
    again = expect_mode(s, (1280, 1024), WS_POPUP, 0x00C00000, "a second Tab")
    check(again["rect"][:2] == (0, 0), f"full screen again at {again['rect']}")
    full = wait_drawn(s, "full-again")
    check(bright_colours(full, (1100, 0, 1280, 1024)) >= 3,
          "full screen again should draw up to the right edge")

    s.x("xdotool", "keydown", "Escape")
    still_running(p, "Esc was pressed (not released)")
    s.x("xdotool", "keyup", "Escape")
    code = s.wait_exit(p, 10)
    check(code == 1, f"Esc release should end with code 1, got {code}")
    s.wait_no_window(TITLE, 2)
