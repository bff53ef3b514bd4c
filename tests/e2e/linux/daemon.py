"""The native module: started by the real screen-saver daemon on its full-screen window and
ended by it, then drawing into a window made here, on the root window and in its own window."""

import atexit
import ctypes
import os
import shutil
import signal
import subprocess
import tempfile
import time

import harness
from harness import check
from renderer_checks import (bright_colours, black_share, changed_share, gap_before_unit,
                             overlay_pixels, wait_drawn)

NOBODY = 65534
# The daemon runs as nobody, who may not reach into the build tree (a checkout under /root,
# say): the module and the daemon's home live in a folder of their own under /tmp.
PLACE = tempfile.mkdtemp(prefix="orvanne-daemon-", dir="/tmp")
atexit.register(shutil.rmtree, PLACE, True)
os.chmod(PLACE, 0o755)
MODULE = os.path.join(PLACE, "orvanne")
shutil.copy(os.environ.get("ORVANNE_MODULE",
                           os.path.join(harness.SOURCE_DIR, "build/linux/orvanne")), MODULE)


def module_pids():
    """Running processes of the module binary, whoever started them."""
    pids = []
    for entry in os.listdir("/proc"):
        try:
            if entry.isdigit() and os.readlink(f"/proc/{entry}/exe") == MODULE:
                pids.append(int(entry))
        except OSError:
            pass
    return pids


def wait_for(condition, timeout, what):
    end = time.time() + timeout
    while not condition():
        check(time.time() < end, f"{what} after {timeout} s")
        time.sleep(0.05)


def reaches_edges(shots, box, band=80):
    """Which edge bands of box (left, right, top, bottom) hold a jewel in some shot."""
    x0, y0, x1, y1 = box
    bands = [(x0, y0, x0 + band, y1), (x1 - band, y0, x1, y1),
             (x0, y0, x1, y0 + band), (x0, y1 - band, x1, y1)]
    return [any(bright_colours(img, b) > 0 for img in shots) for b in bands]


def check_field(s, name, box, settle=3.0):
    """The field fills box: many colours on black, moving, out to every edge. A new field
    starts far away and takes a few seconds to stream out to the edges."""
    wait_drawn(s, name + "-0", box)
    time.sleep(settle)
    a = s.screenshot(name + "-1")
    time.sleep(0.4)
    b = s.screenshot(name + "-2")
    time.sleep(0.4)
    c = s.screenshot(name + "-3")
    colours = bright_colours(a, box)
    check(colours >= 20, f"{name}: expected many bright jewel colours, found {colours}")
    # A jewel passing right by the viewer can cover most of one shot: take the middle one.
    share = sorted(black_share(img, box) for img in (a, b, c))[1]
    check(0.6 <= share < 0.995, f"{name}: expected jewels on black, black share {share:.3f}")
    moved = changed_share(a, b, box)
    check(moved > 0.005, f"{name}: the field did not change between two shots ({moved:.4f})")
    edges = reaches_edges([a, b, c], box)
    check(all(edges), f"{name}: jewels should reach every edge (left, right, top, bottom): {edges}")


def ends_within(proc_or_pid, seconds, what):
    start = time.time()
    if isinstance(proc_or_pid, int):
        wait_for(lambda: not os.path.exists(f"/proc/{proc_or_pid}")
                 or open(f"/proc/{proc_or_pid}/stat").read().split(") ")[1][0] == "Z",
                 5, f"module still running {what}")
    else:
        try:
            proc_or_pid.wait(5)
        except subprocess.TimeoutExpired:
            raise harness.Failure(f"module still running {what} after 5 s")
    took = time.time() - start
    check(took <= seconds, f"module took {took:.2f} s to end {what}")


def xlib():
    x = ctypes.CDLL("libX11.so.6")
    window, dpy = ctypes.c_ulong, ctypes.c_void_p
    for name, result, args in (
            ("XOpenDisplay", dpy, [ctypes.c_char_p]),
            ("XDefaultRootWindow", window, [dpy]),
            ("XCreateSimpleWindow", window, [dpy, window] + [ctypes.c_int] * 2 +
             [ctypes.c_uint] * 3 + [ctypes.c_ulong] * 2),
            ("XMapWindow", ctypes.c_int, [dpy, window]),
            ("XDestroyWindow", ctypes.c_int, [dpy, window]),
            ("XSync", ctypes.c_int, [dpy, ctypes.c_int]),
            ("XCloseDisplay", ctypes.c_int, [dpy])):
        getattr(x, name).restype = result
        getattr(x, name).argtypes = args
    return x


class PlainWindow:
    """A top-level window without children, made and destroyed over a connection of the
    test's own, as a settings preview would give the module one."""

    def __init__(self, display, x, y, width, height):
        self.x = xlib()
        self.dpy = self.x.XOpenDisplay(display.encode())
        check(self.dpy, f"cannot open {display}")
        root = self.x.XDefaultRootWindow(self.dpy)
        self.id = self.x.XCreateSimpleWindow(self.dpy, root, x, y, width, height, 0, 0, 0)
        self.x.XMapWindow(self.dpy, self.id)
        self.x.XSync(self.dpy, 0)

    def destroy(self):
        self.x.XDestroyWindow(self.dpy, self.id)
        self.x.XSync(self.dpy, 0)
        self.x.XCloseDisplay(self.dpy)


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
    log = open(os.path.join(s.dir, "daemon.log"), "w")
    daemon = subprocess.Popen(
        ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups", "env", "-i",
         f"HOME={home}", f"DISPLAY={s.display}", "PATH=/usr/bin:/bin",
         "xscreensaver", "-no-splash", "-verbose"],
        stdout=log, stderr=subprocess.STDOUT)
    s.procs.append(daemon)
    wait_for(lambda: s.x("xscreensaver-command", "-time").find("screen") >= 0, 15,
             "the daemon did not answer")
    return daemon


with harness.Session(wine=False) as s:
    check(shutil.which("xscreensaver"), "the daemon (Debian xscreensaver) is not installed")
    daemon = start_daemon(s)
    s.x("xscreensaver-command", "-activate", check_rc=True)
    wait_for(lambda: module_pids(), 15, "the daemon did not start the module")
    pid = module_pids()[0]
    with open(f"/proc/{pid}/environ", "rb") as f:
        env = dict(v.split(b"=", 1) for v in f.read().split(b"\0") if b"=" in v)
    window = env.get(b"XSCREENSAVER_WINDOW", b"").decode()
    check(window, "the daemon gave the module no XSCREENSAVER_WINDOW")
    geometry = s.geometry(int(window, 16))
    check(geometry == (0, 0, 1280, 1024), f"the daemon's window {window} is at {geometry}")
    check_field(s, "daemon", (0, 0, 1280, 1024))
    check(module_pids() == [pid], "the module should keep running while the screen is blanked")
    s.x("xscreensaver-command", "-deactivate", check_rc=True)
    ends_within(pid, 1.0, "after -deactivate")
    s.x("xscreensaver-command", "-exit")
    daemon.wait(10)

    # A window made here, as a settings preview would make one: drawn in, followed when it
    # grows, and left when it is destroyed.
    target = PlainWindow(s.display, 200, 150, 400, 300)
    wid = target.id
    p = s.start(MODULE, "-window-id", str(wid), "--root", stderr=subprocess.PIPE)
    x, y, w, h = s.geometry(wid)
    check_field(s, "window-id", (x, y, x + w, y + h))
    outside = s.screenshot("window-id-outside")
    check(bright_colours(outside, (700, 0, 1280, 1024)) == 0,
          "the module drew outside the window it was given")
    s.x("xdotool", "windowsize", str(wid), "800", "600", check_rc=True)
    wait_for(lambda: s.geometry(wid)[2:] == (800, 600), 5, "the window did not grow")
    check_field(s, "window-id-grown", (x, y, x + 800, y + 600), settle=0.5)
    target.destroy()
    ends_within(p, 1.0, "after its window was destroyed")
    check(p.returncode == 0, f"a lost window should end the module cleanly, got {p.returncode}: "
          f"{p.stderr.read().decode()}")

    p = s.start(MODULE, "--root", "--fps")
    check_field(s, "root", (0, 0, 1280, 1024))
    shots = [s.screenshot(f"root-fps-{n}") for n in range(3)]
    shown = overlay_pixels(shots, 1280, at_least=2)
    check(shown >= 15, f"--fps should show the overlay at the top right, {shown} pixels there")
    # Glyphs are 9 pixels wide: with the space the gap before "fps" is 9 or more, without 1-3.
    gap = gap_before_unit(shots, 1280)
    check(gap is not None and gap >= 6,
          f"the overlay should read '188.9 fps' with a space, gap {gap} (shots/root-fps-0.png)")
    p.send_signal(signal.SIGINT)
    ends_within(p, 1.0, "after SIGINT")
    check(p.returncode == 0, f"SIGINT should end the module cleanly, got {p.returncode}")

    p = s.start(MODULE)
    own = s.wait_window("Orvanne")
    check(s.geometry(own)[2:] == (1024, 768), f"own window is {s.geometry(own)}, not 1024x768")
    wait_drawn(s, "own-window", (0, 0, 1024, 768))
    s.x("xdotool", "windowfocus", "--sync", str(own))
    s.key("Escape")
    ends_within(p, 1.0, "after Esc")
    check(p.returncode == 0, f"Esc should end the module cleanly, got {p.returncode}")

    bad = s.start(MODULE, "--window-id", "0x7ffffff", stderr=subprocess.PIPE)
    code = s.wait_exit(bad, 10)
    check(code == 1, f"a window id that names no window should end with code 1, got {code}")
