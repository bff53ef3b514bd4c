"""A display without OpenGL: the context cannot be made, and the renderer ends quietly."""

import os
import subprocess
import tempfile

import harness
from harness import check


class NoGlSession(harness.Session):
    def _start_xvfb(self):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", self.screen,
             "-extension", "GLX", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            self.display = ":" + f.readline().strip()


with NoGlSession(env={"WINEDEBUG": "-all,+debugstr"}) as s:
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
