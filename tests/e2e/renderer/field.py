"""The full-screen jewel field, the frame-rate overlay and Space."""

import time

import harness
from harness import check
from renderer_checks import *

with harness.Session() as s:
    p = start_renderer(s)
    info = s.window_info(TITLE)
    check(info is not None, "no window titled Vellis_VC")
    check(info["class"] == "opengl demo", f"window class is {info['class']!r}, not 'opengl demo'")
    check(info["rect"] == (0, 0, 1280, 1024), f"full-screen window at {info['rect']}")
    check(info["style"] & WS_POPUP and not info["style"] & 0x00C00000,
          f"full-screen style {info['style']:#x} is not a bare pop-up")

    a = s.screenshot("field-1")
    time.sleep(0.3)
    b = s.screenshot("field-2")
    time.sleep(0.3)
    c = s.screenshot("field-3")
    colours = bright_colours(a)
    check(colours >= 20, f"expected many distinct bright jewel colours, found {colours}")
    share = black_share(a)
    check(0.6 <= share < 0.995, f"expected jewels on a black background, black share {share:.3f}")
    moved = changed_share(a, b)
    check(moved > 0.005, f"the field did not change between two shots ({moved:.4f})")
    shown = overlay_pixels([a, b, c], 1280, at_least=2)
    check(shown >= 15, f"overlay text expected at the top right, {shown} lit pixels there")
    # A space is 3 pixels of this font: with it the gap is 6 pixels or more, without 2 or 3.
    gap = gap_before_unit([a, b, c], 1280)
    check(gap is not None and gap >= 5,
          f"the overlay should read '188.9 fps' with a space, gap {gap} (shots/field-1.png)")

    s.key("space")
    time.sleep(0.4)
    hidden = overlay_pixels([s.screenshot("no-overlay-%d" % n) for n in range(3)], 1280)
    check(hidden <= 3, f"Space should hide the overlay, {hidden} lit pixels left")

    # Nothing but Esc, Tab and Space does anything: other keys, clicks, moves.
    s.key("a", "Return", "F1")
    s.click(s.wait_window(TITLE), 600, 500)
    s.click(s.wait_window(TITLE), 300, 200, button=3)
    s.mouse_move(100, 100)
    still_running(p, "other keys and mouse input")
    hidden = overlay_pixels([s.screenshot("still-hidden-%d" % n) for n in range(2)], 1280)
    check(hidden <= 3, f"other input must not bring the overlay back ({hidden} pixels)")

    s.key("space")
    time.sleep(0.4)
    shown = overlay_pixels([s.screenshot("overlay-again-%d" % n) for n in range(3)], 1280,
                           at_least=2)
    check(shown >= 15, f"a second Space should show the overlay again ({shown} pixels)")

    s.key("Escape")
    code = s.wait_exit(p, 10)
    check(code == 1, f"Esc release should end with code 1, got {code}")
