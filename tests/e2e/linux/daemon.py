"""The Debian package, checked and installed system-wide (removed again at the end, also
after a failure); the module it installs run by the real screen-saver daemon, in the preview
of its settings program, in a window made here and in its own window."""

import os
import re
import shutil
import subprocess
import tempfile

import harness
from harness import check
from renderer_checks import check_field, check_overlay, wait_drawn, wait_for

NOBODY = 65534
DEB = os.environ.get("ORVANNE_DEB", "")
MODULE = "/usr/libexec/xscreensaver/orvanne"
SHIPPED = {MODULE, "/usr/share/xscreensaver/config/orvanne.xml",
           "/usr/share/man/man6/orvanne.6x.gz", "/usr/share/doc/orvanne/copyright",
           "/usr/share/doc/orvanne/changelog.Debian.gz"}
APT = ["apt-get", "-y", "-qq", "-o", "DPkg::Lock::Timeout=120"]


def run(*cmd, stderr=subprocess.STDOUT):
    r = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=stderr, text=True)
    return r.returncode, r.stdout


def package_files():
    _, listing = run("dpkg-deb", "-c", DEB)
    return {line.split()[-1][1:] for line in listing.splitlines() if not line.startswith("d")}


def remove_package(files):
    code, out = run(*APT, "remove", "orvanne")
    left = [f for f in files if os.path.lexists(f)]
    state = run("dpkg-query", "-W", "-f=${db:Status-Status}", "orvanne",
                stderr=subprocess.DEVNULL)[1]
    check(code == 0 and not left and state in ("", "not-installed"),
          f"apt-get remove: {out}; left {left}, package state '{state}'")


def proc(pid, name):
    """A file of /proc/PID, empty once the process is gone."""
    try:
        with open(f"/proc/{pid}/{name}", "rb") as f:
            return f.read()
    except OSError:
        return b""


def module_pids(s):
    """The module's live processes on this display (the daemon passes it as ":1.0"),
    whoever started them."""
    display = re.compile(rf"(^|\0)DISPLAY={s.display}(\.0)?\0".encode())
    return [int(pid) for pid in s.x("pgrep", "-x", "orvanne").split()
            if display.search(proc(pid, "environ"))]


def arguments(pid):
    return proc(pid, "cmdline").decode().split("\0")


def ends_within(ended, what, p=None):
    wait_for(ended, 1.0, f"module still running {what}")
    check(p is None or p.returncode == 0, f"{what} the module ended with {p and p.returncode}")


def as_nobody(s, home, *cmd, **popen):
    return s.start("setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups", "env",
                   "-i", f"HOME={home}", f"DISPLAY={s.display}", "PATH=/usr/bin:/bin", *cmd,
                   **popen)


def start_daemon(s, place):
    home = os.path.join(place, "home")
    os.makedirs(home)
    # A user's list: ours as the README gives it, then a stock module.
    with open(os.path.join(home, ".xscreensaver"), "w") as f:
        f.write("mode: one\nselected: 0\nlock: False\nfade: False\nunfade: False\n"
                'programs: GL: "Orvanne" orvanne --root \\n\\\n GL: gears --root \\n\n')
    for path in (home, os.path.join(home, ".xscreensaver")):
        os.chown(path, NOBODY, NOBODY)
    # The daemon refuses to run as root; it reaches the display through its socket.
    os.chmod(f"/tmp/.X11-unix/X{s.display[1:]}", 0o666)
    as_nobody(s, home, "xscreensaver", "-no-splash", "-verbose",
              stderr=open(os.path.join(place, "daemon.log"), "w"))
    wait_for(lambda: "screen" in s.x("xscreensaver-command", "-time"), 15,
             "the daemon did not answer")
    return home


def daemon_said(place, text):
    with open(os.path.join(place, "daemon.log")) as f:
        return [line for line in f if text in line]


def check_settings_program(s, home):
    """Listed and previewed; "Show frame rate" restarts it with the overlay; another entry
    ends it. Without a window manager the windows sit where GTK puts them: the main one at
    the top left, so its buttons are clicked where they show on Debian 12."""
    settings = as_nobody(s, home, "xscreensaver-settings")
    wait_for(lambda: module_pids(s), 20, "the settings program did not preview the module")
    args = arguments(module_pids(s)[0])
    x, y, w, h = s.geometry(int(args[args.index("--window-id") + 1], 16))
    box = (x, y, x + w, y + h)
    check_field(s, "preview", box)
    check_overlay(s, "preview-plain", shown=False, right=box[2], top=y)
    s.x("xdotool", "mousemove", "914", "630", "click", "1", check_rc=True)  # "Settings..."
    def dialogs():
        return s.x("xdotool", "search", "--onlyvisible", "--name", "Orvanne Settings").split()
    wait_for(dialogs, 10, "no settings dialog")
    dialog = min(dialogs(), key=lambda wid: s.geometry(wid)[2])
    s.x("xdotool", "windowmove", "--sync", dialog, "880", "600")
    s.click(dialog, 38, 118)  # "Show frame rate"
    wait_for(lambda: any("--fps" in arguments(p) for p in module_pids(s)), 10,
             "ticking Show frame rate did not restart the module with --fps")
    wait_drawn(s, "preview-fps", box)
    check_overlay(s, "preview-fps", right=box[2], top=y)
    s.x("xdotool", "mousemove", "166", "542", "click", "1", check_rc=True)  # the next entry
    ends_within(lambda: not module_pids(s), "after another entry was chosen")
    settings.terminate()


def daemon_runs(s, place):
    """Blanking starts the module on the daemon's full-screen window; cycling ends it with
    SIGTERM, logged as a normal end, and starts it anew; -deactivate ends it."""
    home = start_daemon(s, place)
    s.x("xscreensaver-command", "-activate", check_rc=True)
    wait_for(lambda: module_pids(s), 15, "the daemon did not start the module")
    pid = module_pids(s)[0]
    # The daemon's window covers the root: the field shows only if drawn into that window.
    check_field(s, "daemon", (0, 0, 1280, 1024))
    check(module_pids(s) == [pid], "the module should keep running while blanked")
    s.x("xscreensaver-command", "-cycle", check_rc=True)
    wait_for(lambda: daemon_said(place, f"child pid {pid} "), 5, "no end of the module logged")
    ended = daemon_said(place, f"child pid {pid} ")[0]
    check("exited normally with SIGTERM" in ended, f"the daemon logged: {ended}")
    wait_for(lambda: module_pids(s), 5, "the daemon did not start the module again")
    pid = module_pids(s)[0]
    s.x("xscreensaver-command", "-deactivate", check_rc=True)
    ends_within(lambda: pid not in module_pids(s), "after -deactivate")
    check_settings_program(s, home)
    s.x("xscreensaver-command", "-exit")


def own_runs(s):
    """In another program's window: followed when it grows, left when it is destroyed; in
    its own window until Esc; refused for a window id that names no window."""
    owner = s.start("xev", "-geometry", "400x300+200+150")
    wid = s.wait_window("Event Tester")
    p = s.start(MODULE, "-window-id", str(wid), "--root")
    wait_drawn(s, "window-id", (200, 150, 600, 450))
    s.x("xdotool", "windowsize", str(wid), "800", "600", check_rc=True)
    wait_for(lambda: s.geometry(wid)[2:] == (800, 600), 5, "the window did not grow")
    check_field(s, "window-id-grown", (200, 150, 1000, 750), settle=0.5)
    owner.kill()
    ends_within(lambda: p.poll() is not None, "after its window was destroyed", p)

    p = s.start(MODULE)
    own = s.wait_window("Orvanne")
    check(s.geometry(own)[2:] == (1024, 768), f"own window is {s.geometry(own)}")
    wait_drawn(s, "own-window", (0, 0, 1024, 768))
    s.x("xdotool", "windowfocus", "--sync", str(own))
    s.key("Escape")
    ends_within(lambda: p.poll() is not None, "after Esc", p)

    code = s.wait_exit(s.start(MODULE, "--window-id", "0x7ffffff"), 10)
    check(code == 1, f"a window id that names no window should end with code 1, got {code}")


check(os.path.isfile(DEB), f"no package '{DEB}': build the debian_package target first")
check(run("dpkg-query", "-W", "orvanne")[0] != 0,
      "orvanne is already installed here: remove it before this test")
# Errors and warnings only; the one override is for uploads to Debian itself.
files = package_files()
code, out = run("lintian", DEB, stderr=subprocess.DEVNULL)
check(code == 0 and not out and SHIPPED <= files, f"lintian: {out}; lacks {SHIPPED - files}")
place = tempfile.mkdtemp(prefix="orvanne-daemon-", dir="/tmp")
os.chmod(place, 0o755)
try:
    code, out = run(*APT, "install", DEB)
    check(code == 0 and os.access(MODULE, os.X_OK), f"apt-get install failed: {out}")
    check(shutil.which("xscreensaver"), "the daemon (Debian xscreensaver) is not installed")
    with harness.Session(wine=False) as s:
        daemon_runs(s, place)
        own_runs(s)
finally:
    shutil.rmtree(place, True)
    remove_package(files)
