"""The renderer: its field and overlay, input, minimised, Tab to a window and back, Esc and
the system's close command; then a display without OpenGL: no context, a quiet end."""

import os
import tempfile
import time

import harness
from harness import check
from renderer_checks import check_field, check_overlay, wait_for

TITLE = "Vellis_VC"
WS_POPUP, WS_OVERLAPPEDWINDOW = 0x80000000, 0x00CF0000
FULL = (0, 0, 1280, 1024)


def still_running(p, what):
    time.sleep(0.4)
    check(p.poll() is None, f"renderer ended (code {p.poll()}) after {what}")


def cpu_seconds(pid):
    """utime + stime of a Wine program's process, all its threads (llvmpipe's too)."""
    with open(f"/proc/{pid}/stat") as f:
        values = f.read().rsplit(")", 1)[1].split()
    return (int(values[11]) + int(values[12])) / os.sysconf("SC_CLK_TCK")


def window(s, size, style, what):
    """Waits for the renderer's window of that size and checks its style."""
    def sized():
        info = s.window_info(TITLE)
        r = info["rect"] if info else (0, 0, 0, 0)
        return info if (r[2] - r[0], r[3] - r[1]) == size else None
    wait_for(sized, 10, f"no {size} window after {what}")
    info = sized()
    check(info["style"] & (WS_POPUP | WS_OVERLAPPEDWINDOW) == style,
          f"after {what} the window style is {info['style']:#x}")
    return info


def full_screen_and_input(s, p):
    rect = window(s, FULL[2:], WS_POPUP, "the start")["rect"]
    check(rect == FULL, f"the full-screen window is at {rect}, not {FULL}")
    check_field(s, "field", FULL)
    # Nothing but Esc, Tab and Space does anything. Wine: the system's saver and monitor-power
    # commands do nothing even when left unhandled, so sending them could not fail.
    s.key("a", "Return", "F1")
    s.click(s.wait_window(TITLE), 600, 500)
    s.click(s.wait_window(TITLE), 300, 200, button=3)
    s.mouse_move(100, 100)
    still_running(p, "other keys and mouse input")
    check_overlay(s, "overlay-after-input")
    s.key("space")
    time.sleep(0.4)
    check_overlay(s, "space-hid", shown=False)


def minimised_and_modes(s, p):
    s.wintool("minimize", TITLE)
    time.sleep(0.5)
    before = cpu_seconds(p.pid)
    time.sleep(2.0)
    used = cpu_seconds(p.pid) - before
    check(used < 0.1, f"a minimised renderer should wait, it used {used:.2f} s of CPU in 2 s")
    s.wintool("restore", TITLE)
    check_field(s, "restored", FULL, settle=0.3)

    s.key("Tab")
    left, top, right, bottom = window(s, (1024, 768), WS_OVERLAPPEDWINDOW, "one Tab")["rect"]
    check_field(s, "windowed", (max(left, 0) + 8, max(top, 0) + 30, right - 8, bottom - 8))
    # Keys need the focus; the new window is alone, but a click makes sure.
    s.click(s.wait_window(TITLE), 500, 400)
    s.key("Tab")
    window(s, FULL[2:], WS_POPUP, "a second Tab")
    check_field(s, "full-again", FULL, settle=0.3)
    s.x("xdotool", "keydown", "Escape")
    still_running(p, "Esc was pressed (not released)")
    s.x("xdotool", "keyup", "Escape")
    check(s.wait_exit(p, 10) == 1, f"Esc release should end it with code 1, got {p.returncode}")


def no_gl():
    with harness.Session(name="renderer_no_gl", glx=False,
                         env={"WINEDEBUG": "-all,+debugstr"}) as s:
        with tempfile.TemporaryFile() as err:
            code = s.wait_exit(s.start(s.dist("Orvanne.dll"), stderr=err), 20)
            err.seek(0)
            log = err.read().decode("utf-8", "replace")
        # A fault would end it with an exception code.
        check(code == 0, f"a failed context should end with code 0, got {code}\n{log[-2000:]}")
        # Without GLX no pixel format can be had; the step's name reaches a debugger only.
        check('OutputDebugStringA "ChoosePixelFormat"' in log,
              f"expected the step ChoosePixelFormat to be reported:\n{log[-2000:]}")


def main():
    with harness.Session() as s:
        p = s.start(s.dist("Orvanne.dll"))
        full_screen_and_input(s, p)
        minimised_and_modes(s, p)
        p = s.start(s.dist("Orvanne.dll"))
        s.wait_window(TITLE)
        s.wintool("minimize", TITLE)
        time.sleep(0.3)
        s.wintool("syscommand", TITLE, "close")
        check(s.wait_exit(p, 10) == 1, f"SC_CLOSE should end it with code 1, got {p.returncode}")
    no_gl()


if __name__ == "__main__":
    main()
