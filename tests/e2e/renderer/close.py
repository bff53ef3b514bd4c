"""Close requests from another process, minimising, and the system's saver commands."""

import time

import harness
from harness import check
from renderer_checks import *

with harness.Session() as s:
    p = start_renderer(s)
    rc, _ = s.wintool("close", TITLE)
    check(rc == 0, "wintool could not post WM_CLOSE")
    code = s.wait_exit(p, 10)
    check(code == 1, f"WM_CLOSE should end the renderer with code 1, got {code}")

    # The saver and monitor-power commands are swallowed; other system commands still go
    # to the system, so SC_CLOSE ends the renderer as a close request does.
    p = start_renderer(s)
    for command in ("screensave", "monitorpower"):
        s.wintool("syscommand", TITLE, command)
        still_running(p, f"the system command {command}")
        check(s.window_info(TITLE) is not None, f"window gone after {command}")
    s.wintool("syscommand", TITLE, "close")
    code = s.wait_exit(p, 10)
    check(code == 1, f"SC_CLOSE should end the renderer with code 1, got {code}")

    p = start_renderer(s)
    s.wintool("minimize", TITLE)
    time.sleep(0.5)
    before = cpu_seconds(p.pid)
    time.sleep(2.0)
    used = cpu_seconds(p.pid) - before
    check(used < 0.1, f"a minimised renderer should wait, it used {used:.2f} s of CPU in 2 s")
    check(p.poll() is None, "renderer ended while minimised")

    s.wintool("restore", TITLE)
    a = wait_drawn(s, "restored-1")
    info = s.window_info(TITLE)
    check(info["rect"] == (0, 0, 1280, 1024), f"restored window at {info['rect']}")
    time.sleep(0.3)
    b = s.screenshot("restored-2")
    check(bright_colours(a) >= 20, "no field drawn after restore")
    check(changed_share(a, b) > 0.005, "the field should move again after restore")

    s.wintool("minimize", TITLE)
    time.sleep(0.3)
    s.wintool("close", TITLE)
    code = s.wait_exit(p, 10)
    check(code == 1, f"WM_CLOSE while minimised should end with code 1, got {code}")
