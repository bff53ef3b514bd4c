"""The native module: started by the real screen-saver daemon on its full-screen window and
ended by it, then drawing into a window made here, on the root window and in its own window."""

import atexit
import os
import shutil
import signal
import tempfile

import harness
from harness import check
from renderer_checks import check_field, check_overlay, wait_drawn, wait_for

NOBODY = 65534
FULL = (0, 0, 1280, 1024)
# The daemon runs as nobody, who may not reach into the build tree (a checkout under /root,
# say): the module and the daemon's home live in a folder of their own under /tmp.
PLACE = tempfile.mkdtemp(prefix="orvanne-daemon-", dir="/tmp")
atexit.register(shutil.rmtree, PLACE, True)
os.chmod(PLACE, 0o755)
MODULE = os.path.join(PLACE, "orvanne")
shutil.copy(os.environ.get("ORVANNE_MODULE",
                           os.path.join(harness.SOURCE_DIR, "build/linux/orvanne")), MODULE)


def module_pids(s):
    """Processes of the module binary, whoever started them (a zombie has no command line)."""
    return [int(pid) for pid in s.x("pgrep", "-f", "^" + MODULE).split()]


def ends_within(ended, seconds, what, p=None):
    """The module ends in time, and cleanly where it is ours to see."""
    wait_for(ended, seconds, f"module still running {what}")
    check(p is None or p.returncode == 0, f"{what} the module ended with {p and p.returncode}")


def start_daemon(s):
    home = os.path.join(PLACE, "home")
    os.makedirs(home)
    with open(os.path.join(home, ".xscreensaver"), "w") as f:
        f.write("mode: one\nselected: 0\nlock: False\nfade: False\nunfade: False\n"
                f'programs: GL: "Orvanne" {MODULE} --root \\n\n')
    for path in (home, os.path.join(home, ".xscreensaver")):
        os.chown(path, NOBODY, NOBODY)
    # The daemon refuses to run as root; it reaches the display through its socket.
    os.chmod(f"/tmp/.X11-unix/X{s.display[1:]}", 0o666)
    s.start("setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups", "env", "-i",
            f"HOME={home}", f"DISPLAY={s.display}", "PATH=/usr/bin:/bin", "xscreensaver",
            "-no-splash")
    wait_for(lambda: "screen" in s.x("xscreensaver-command", "-time"), 15,
             "the daemon did not answer")


with harness.Session(wine=False) as s:
    check(shutil.which("xscreensaver"), "the daemon (Debian xscreensaver) is not installed")
    start_daemon(s)
    s.x("xscreensaver-command", "-activate", check_rc=True)
    wait_for(lambda: module_pids(s), 15, "the daemon did not start the module")
    pid = module_pids(s)[0]
    # The daemon's window covers the root: the field shows only if drawn into that window.
    check_field(s, "daemon", FULL)
    check(module_pids(s) == [pid], "the module should keep running while the screen is blanked")
    s.x("xscreensaver-command", "-deactivate", check_rc=True)
    ends_within(lambda: pid not in module_pids(s), 1.0, "after -deactivate")
    s.x("xscreensaver-command", "-exit")

    # A window of another program, as a settings preview gives the module one: drawn in,
    # followed when it grows, and left when it is destroyed.
    owner = s.start("xev", "-geometry", "400x300+200+150")
    wid = s.wait_window("Event Tester")
    p = s.start(MODULE, "-window-id", str(wid), "--root")
    check_field(s, "window-id", (200, 150, 600, 450))
    s.x("xdotool", "windowsize", str(wid), "800", "600", check_rc=True)
    wait_for(lambda: s.geometry(wid)[2:] == (800, 600), 5, "the window did not grow")
    check_field(s, "window-id-grown", (200, 150, 1000, 750), settle=0.5)
    owner.kill()
    ends_within(lambda: p.poll() is not None, 1.0, "after its window was destroyed", p)

    # The overlay at the top right shows the view is the root's.
    p = s.start(MODULE, "--root", "--fps")
    wait_drawn(s, "root", FULL)
    check_overlay(s, "root-fps")
    p.send_signal(signal.SIGINT)
    ends_within(lambda: p.poll() is not None, 1.0, "after SIGINT", p)

    p = s.start(MODULE)
    own = s.wait_window("Orvanne")
    check(s.geometry(own)[2:] == (1024, 768), f"own window is {s.geometry(own)}, not 1024x768")
    wait_drawn(s, "own-window", (0, 0, 1024, 768))
    s.x("xdotool", "windowfocus", "--sync", str(own))
    s.key("Escape")
    ends_within(lambda: p.poll() is not None, 1.0, "after Esc", p)

    code = s.wait_exit(s.start(MODULE, "--window-id", "0x7ffffff"), 10)
    check(code == 1, f"a window id that names no window should end with code 1, got {code}")
