"""The renderer in one run: the full-screen field and its overlay, Space, input that does
nothing, the system's saver commands, Tab to a window and back, Esc ending only when
released; in a second run minimised it waits and restored it draws again, and a close
request while minimised ends it; a third ends on the system's close command. Last, a
display without OpenGL: no context, a quiet end."""

import os
import tempfile
import time

import harness
from harness import check
from renderer_checks import (bright_colours, black_share, changed_share, gap_before_unit,
                             overlay_pixels, wait_drawn)

TITLE = "Vellis_VC"
WS_POPUP, WS_CAPTION, WS_OVERLAPPEDWINDOW = 0x80000000, 0x00C00000, 0x00CF0000
FULL = (0, 0, 1280, 1024)


def start(s):
    """Starts the shipped renderer and waits until it has drawn its field."""
    p = s.start(s.dist("Orvanne.dll"))
    s.wait_window(TITLE)
    wait_drawn(s, "first-frame")
    # The field stands still and the overlay is hidden for the first 0.2 s of measurement.
    time.sleep(0.5)
    check(p.poll() is None, f"renderer ended at start with code {p.poll()}")
    return p


def still_running(p, what):
    time.sleep(0.4)
    check(p.poll() is None, f"renderer ended (code {p.poll()}) after {what}")


def ends_with_1(s, p, what):
    code = s.wait_exit(p, 10)
    check(code == 1, f"{what} should end the renderer with code 1, got {code}")


def cpu_seconds(pid):
    """utime + stime of a Wine program's process, all its threads (llvmpipe's too)."""
    with open(f"/proc/{pid}/stat") as f:
        values = f.read().rsplit(")", 1)[1].split()
    return (int(values[11]) + int(values[12])) / os.sysconf("SC_CLK_TCK")


def expect_mode(s, size, style_bits, forbidden_bits, what):
    end = time.time() + 10
    while True:
        info = s.window_info(TITLE)
        r = info["rect"] if info else (0, 0, 0, 0)
        if (r[2] - r[0], r[3] - r[1]) == size or time.time() > end:
            break
        time.sleep(0.1)
    check((r[2] - r[0], r[3] - r[1]) == size, f"after {what} the window is {r}, expected {size}")
    check(info["style"] & style_bits == style_bits and not info["style"] & forbidden_bits,
          f"after {what} the window style is {info['style']:#x}")
    return info


def overlay(s, name, shots=3):
    return overlay_pixels([s.screenshot(f"{name}-{n}") for n in range(shots)], 1280, at_least=2)


def field_and_overlay(s, p):
    info = s.window_info(TITLE)
    check(info["class"] == "opengl demo", f"window class is {info['class']!r}, not 'opengl demo'")
    check(info["rect"] == FULL, f"full-screen window at {info['rect']}")
    check(info["style"] & WS_POPUP and not info["style"] & WS_CAPTION,
          f"full-screen style {info['style']:#x} is not a bare pop-up")
    shots = [s.screenshot(f"field-{n}") for n in range(3)]
    colours = bright_colours(shots[0])
    # A jewel passing right by the viewer can cover most of one shot: take the middle one.
    share = sorted(black_share(shot) for shot in shots)[1]
    check(colours >= 20, f"expected many distinct bright jewel colours, found {colours}")
    check(0.6 <= share < 0.995, f"expected jewels on a black background, black share {share:.3f}")
    moved = changed_share(shots[0], shots[1])
    check(moved > 0.005, f"the field did not change between two shots ({moved:.4f})")
    shown = overlay_pixels(shots, 1280, at_least=2)
    check(shown >= 15, f"overlay text expected at the top right, {shown} lit pixels there")
    # A space is 3 pixels of this font: with it the gap is 6 pixels or more, without 2 or 3.
    gap = gap_before_unit(shots, 1280)
    check(gap is not None and gap >= 5,
          f"the overlay should read '188.9 fps' with a space, gap {gap} (shots/field-0.png)")

    s.key("space")
    time.sleep(0.4)
    check(overlay(s, "no-overlay") <= 3, "Space should hide the overlay")
    # Nothing but Esc, Tab and Space does anything: other keys, clicks, moves, and the
    # system's saver and monitor-power commands.
    s.key("a", "Return", "F1")
    s.click(s.wait_window(TITLE), 600, 500)
    s.click(s.wait_window(TITLE), 300, 200, button=3)
    s.mouse_move(100, 100)
    for command in ("screensave", "monitorpower"):
        s.wintool("syscommand", TITLE, command)
    still_running(p, "other keys, mouse input and the saver commands")
    check(s.window_info(TITLE)["rect"] == FULL, "the window changed after other input")
    check(overlay(s, "still-hidden", 2) <= 3, "other input must not bring the overlay back")
    s.key("space")
    time.sleep(0.4)
    check(overlay(s, "overlay-again") >= 15, "a second Space should show the overlay again")


def modes(s, p):
    first = s.window_info(TITLE)
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
    check(bright_colours(a, inside) >= 15, "the field should go on in the window")
    check(changed_share(a, b, inside) > 0.005, "the field stands still in the window")
    check(black_share(a, (right + 4, 0, 1280, 1024)) > 0.99,
          "nothing should be drawn right of the 1024-wide window")

    # Keys need the focus; the new window is alone, but a click makes sure.
    s.click(s.wait_window(TITLE), 500, 400)
    s.key("Tab")
    again = expect_mode(s, (1280, 1024), WS_POPUP, WS_CAPTION, "a second Tab")
    check(again["rect"] == FULL, f"full screen again at {again['rect']}")
    full = wait_drawn(s, "full-again")
    check(bright_colours(full, (1100, 0, 1280, 1024)) >= 3,
          "full screen again should draw up to the right edge")

    s.x("xdotool", "keydown", "Escape")
    still_running(p, "Esc was pressed (not released)")
    s.x("xdotool", "keyup", "Escape")
    ends_with_1(s, p, "Esc release")
    s.wait_no_window(TITLE, 2)


def minimised(s):
    p = start(s)
    s.wintool("minimize", TITLE)
    time.sleep(0.5)
    before = cpu_seconds(p.pid)
    time.sleep(2.0)
    used = cpu_seconds(p.pid) - before
    check(used < 0.1, f"a minimised renderer should wait, it used {used:.2f} s of CPU in 2 s")
    still_running(p, "minimising")
    s.wintool("restore", TITLE)
    a = wait_drawn(s, "restored-1")
    check(s.window_info(TITLE)["rect"] == FULL, f"restored window at {s.window_info(TITLE)}")
    time.sleep(0.3)
    check(changed_share(a, s.screenshot("restored-2")) > 0.005,
          "the field should move again after restore")
    s.wintool("minimize", TITLE)
    time.sleep(0.3)
    s.wintool("close", TITLE)
    ends_with_1(s, p, "WM_CLOSE while minimised")


def no_gl():
    with harness.Session(name="renderer_no_gl", glx=False,
                         env={"WINEDEBUG": "-all,+debugstr"}) as s:
        with tempfile.TemporaryFile() as err:
            p = s.start(s.dist("Orvanne.dll"), stderr=err)
            code = s.wait_exit(p, 20)
            err.seek(0)
            log = err.read().decode("utf-8", "replace")
        check(code == 0, f"a failed context should end with code 0, got {code}\n{log[-2000:]}")
        check("page fault" not in log and "Unhandled" not in log, f"the renderer faulted:\n{log}")
        # Without GLX no pixel format can be had; the step's name reaches a debugger only.
        check('OutputDebugStringA "ChoosePixelFormat"' in log,
              f"expected the step ChoosePixelFormat to be reported:\n{log[-2000:]}")


def main():
    with harness.Session() as s:
        p = start(s)
        field_and_overlay(s, p)
        modes(s, p)
        minimised(s)
        p = start(s)
        s.wintool("syscommand", TITLE, "close")
        ends_with_1(s, p, "SC_CLOSE")
    no_gl()


if __name__ == "__main__":
    main()
