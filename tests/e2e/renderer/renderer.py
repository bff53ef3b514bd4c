"""The renderer on a desktop of two monitors: a field of its own centred on each, black where
no monitor is, the overlay on the primary only; input, minimised, Tab to a window and back,
Esc and the system's close command; started by the shell; the Linux module on its root
window; then a display without OpenGL."""

import os
import signal
import tempfile
import time

import harness
from harness import check
from renderer_checks import check_field, check_overlay, wait_drawn, wait_for

TITLE = "Vellis_VC"
WS_POPUP, WS_OVERLAPPEDWINDOW = 0x80000000, 0x00CF0000
# A primary 1280x1024 and a 1024x768 monitor to its left, lower down.
MONITORS = ("P 1280/338x1024/270+1024+0 screen", "S 1024/270x768/203+0+128 none")
PRIMARY, LEFT = (1024, 0, 2304, 1024), (0, 128, 1024, 896)  # on the X screen
DESKTOP = (-1024, 0, 1280, 1024)  # the same two as the program sees them


def cpu_seconds(pid):
    """utime + stime of a Wine program's process, all its threads (llvmpipe's too)."""
    with open(f"/proc/{pid}/stat") as f:
        values = f.read().rsplit(")", 1)[1].split()
    return (int(values[11]) + int(values[12])) / os.sysconf("SC_CLK_TCK")


def window(s, size, style, what):
    """The renderer's window once it has that size, checked for its style."""
    def sized():
        info = s.window_info(TITLE)
        r = info["rect"] if info else (0, 0, 0, 0)
        return info if (r[2] - r[0], r[3] - r[1]) == size else None
    wait_for(sized, 10, f"no {size} window after {what}")
    info = sized()
    check(info["style"] & (WS_POPUP | WS_OVERLAPPEDWINDOW) == style,
          f"after {what} the window style is {info['style']:#x}")
    return info


def whole_desktop(s, what):
    rect = window(s, (2304, 1024), WS_POPUP, what)["rect"]
    check(rect == DESKTOP, f"after {what} the window is at {rect}, not {DESKTOP}")
    for name, box in (("primary", PRIMARY), ("left", LEFT)):
        wait_drawn(s, f"{what}-{name}", box)


def fields_and_input(s, p):
    whole_desktop(s, "start")
    check_field(s, "primary", PRIMARY)
    check_field(s, "left", LEFT, settle=0)
    gaps = s.screenshot("gaps")
    lit = sum(max(p) > 8 for box in ((0, 0, 1024, 128), (0, 896, 1024, 1024))
              for p in gaps.region(*box, step=4))
    check(lit == 0, f"{lit} lit pixels where no monitor is (shots/gaps.png)")
    check_overlay(s, "no-overlay-left", shown=False, right=LEFT[2], top=LEFT[1])
    # Nothing but Esc, Tab and Space does anything. Wine: the system's saver and monitor-power
    # commands do nothing even when left unhandled, so sending them could not fail.
    s.key("a", "Return", "F1")
    s.click(s.wait_window(TITLE), 1600, 500)
    s.click(s.wait_window(TITLE), 1300, 200, button=3)
    time.sleep(0.4)
    check(p.poll() is None, f"other keys or mouse input ended the renderer ({p.poll()})")
    check_overlay(s, "overlay")
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
    check_field(s, "restored", PRIMARY, settle=0.3)

    s.key("Tab")
    window(s, (1024, 768), WS_OVERLAPPEDWINDOW, "one Tab")
    x, y, w, h = s.geometry(s.wait_window(TITLE))  # the frame, its caption drawn by Wine
    check_field(s, "windowed", (x + 8, y + 30, x + w - 8, y + h - 8))
    # Keys need the focus; the new window is alone, but a click makes sure.
    s.click(s.wait_window(TITLE), 500, 400)
    s.key("Tab")
    whole_desktop(s, "Tab back")
    s.x("xdotool", "keydown", "Escape")
    time.sleep(0.4)
    check(p.poll() is None, f"Esc pressed, not yet released, ended the renderer ({p.poll()})")
    s.x("xdotool", "keyup", "Escape")
    check(s.wait_exit(p, 10) == 1, f"Esc release should end it with code 1, got {p.returncode}")


def no_gl():
    """Without OpenGL the renderer ends with code 0 (a fault would end it with an exception
    code), naming the failed step to a debugger only."""
    debug = {"WINEDEBUG": "-all,+debugstr"}
    with harness.Session(name="renderer_no_gl", glx=False, env=debug) as s, \
            tempfile.TemporaryFile() as err:
        code = s.wait_exit(s.start(s.dist("Orvanne.dll"), stderr=err), 20)
        err.seek(0)
        log = err.read().decode("utf-8", "replace")
        check(code == 0 and 'OutputDebugStringA "ChoosePixelFormat"' in log,
              f"without OpenGL: code {code}, log ending {log[-2000:]}")


def main():
    with harness.Session(screen="2304x1024", monitors=MONITORS) as s:
        p = s.start(s.dist("Orvanne.dll"))
        fields_and_input(s, p)
        minimised_and_modes(s, p)
        p = s.start(s.dist("Orvanne.dll"))
        s.wait_window(TITLE)
        s.wintool("minimize", TITLE)
        time.sleep(0.3)
        s.wintool("syscommand", TITLE, "close")
        check(s.wait_exit(p, 10) == 1, f"SC_CLOSE should end it with code 1, got {p.returncode}")

        p = s.start(os.path.join(s.install(), "Orvanne.scr"), "/s")
        whole_desktop(s, "shell")
        s.click(s.wait_window(TITLE), 1500, 500)
        s.key("Escape")
        s.wait_exit(p, 15)
        check(s.window_info(TITLE) is None, "the renderer's window outlived the shell")
        # The Linux module on the same root window: a field centred on each RandR monitor,
        # the overlay on the primary only; a stopping signal ends it by that signal, as
        # shells and the daemon expect.
        if os.environ.get("ORVANNE_MODULE"):
            p = s.start(os.environ["ORVANNE_MODULE"], "--root", "--fps", "--delay", "0",
                        native=True)
            check_field(s, "module-primary", PRIMARY)
            check_field(s, "module-left", LEFT, settle=0)
            check_overlay(s, "module-overlay")
            check_overlay(s, "module-no-overlay-left", shown=False, right=LEFT[2], top=LEFT[1])
            p.send_signal(signal.SIGINT)
            check(s.wait_exit(p, 5) == -signal.SIGINT, f"SIGINT ended it with {p.returncode}")
    no_gl()


if __name__ == "__main__":
    main()
