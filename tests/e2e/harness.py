"""A private Xvfb and Wine prefix per session; all it starts is ended by PID or wineserver -k."""

import fcntl
import os
import re
import shutil
import subprocess
import sys
import tempfile

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"

# Set by CTest (see tests/e2e/CMakeLists.txt); defaults suit a build in ./build.
SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD_DIR = os.path.join(SOURCE_DIR, "build")
DIST_DIR = os.environ.get("ORVANNE_DIST", os.path.join(BUILD_DIR, "windows-x86_64/dist"))
TOOLS_DIR = os.environ.get("ORVANNE_TOOLS", os.path.join(BUILD_DIR, "windows-x86_64/testtools"))
WORK_DIR = os.environ.get("ORVANNE_E2E_WORK", os.path.join(BUILD_DIR, "e2e"))


Failure = AssertionError  # what a failed check raises


def check(condition, message):
    if not condition:
        raise Failure(message)


def fields(line, last=("class", "text")):
    """key=value pairs, numbers parsed; the keys in last end a line and may hold blanks."""
    values = {}
    for key in reversed(last):
        line, _, values[key] = line.partition(f" {key}=")
    for key, _, value in (token.partition("=") for token in line.split() if "=" in token):
        values[key] = (tuple(map(int, value.split(","))) if re.fullmatch(r"-?\d+(,-?\d+)+", value)
                       else int(value, 16) if value.startswith("0x") else value)
    return values


def quiet(command, env):
    subprocess.run(command, env=env, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def wine_env(prefix, cache):
    return dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", XDG_CACHE_HOME=cache,
                WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")


def template_prefix():
    # One initialised prefix per build tree, copied for each session.
    template = os.path.join(WORK_DIR, "template")
    with open(os.path.join(WORK_DIR, "template.lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if not os.path.exists(os.path.join(template, ".ready")):
            shutil.rmtree(template, ignore_errors=True)
            env = wine_env(template, os.path.join(WORK_DIR, "cache"))
            env.pop("DISPLAY", None)
            quiet([WINE, "wineboot", "-i"], env)
            # Without a window manager Wine waits 2 s on every hide unless unmanaged.
            quiet([WINE, "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/t",
                   "REG_SZ", "/d", "N", "/f"], env)
            subprocess.run([WINESERVER, "-w"], env=env)
            open(os.path.join(template, ".ready"), "w").close()
    return template


class Image:
    def __init__(self, path):
        ppm = subprocess.check_output(["convert", path, "-depth", "8", "ppm:-"])
        _, size, _, self.pixels = ppm.split(b"\n", 3)
        self.width, self.height = map(int, size.split())

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def region(self, x0, y0, x1, y1, step=1):
        for y in range(max(y0, 0), min(y1, self.height), step):
            for x in range(max(x0, 0), min(x1, self.width), step):
                yield self.pixel(x, y)


class Session:
    def __init__(self, name=None, env=None, wine=True, glx=True, screen="1280x1024",
                 monitors=()):
        """wine=False: no prefix. monitors: `xrandr --setmonitor` arguments, the primary first."""
        self.wine = wine
        self.procs = []
        name = name or os.path.splitext(os.path.basename(sys.argv[0]))[0]
        os.makedirs(WORK_DIR, exist_ok=True)
        self.dir = tempfile.mkdtemp(prefix=name + ".", dir=WORK_DIR)
        self.prefix = os.path.join(self.dir, "prefix")
        if wine:
            subprocess.run(["cp", "-a", template_prefix(), self.prefix], check=True)
        self.env = dict(wine_env(self.prefix, os.path.join(self.dir, "cache")), **(env or {}))
        read_fd, write_fd = os.pipe()
        # -noreset: else the server resets when its last client (an xdotool call) leaves, and a
        # Wine program connecting meanwhile gets no window driver and shows nothing.
        self.start("Xvfb", "-displayfd", str(write_fd), "-screen", "0", screen + "x24",
                   "+extension" if glx else "-extension", "GLX", "-nolisten", "tcp", "-noreset",
                   native=True, pass_fds=(write_fd,))
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            self.display = self.env["DISPLAY"] = ":" + f.readline().strip()
        check(self.display != ":", "Xvfb did not report a display number")
        for monitor in monitors:
            self.x("xrandr", "--setmonitor", *monitor.split(), check_rc=True)
        if monitors and wine:
            # Wine counts RandR outputs, of which Xvfb has one; Xinerama lists the monitors.
            quiet([WINE, "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "UseXRandR",
                   "/t", "REG_SZ", "/d", "N", "/f"], self.env)
            subprocess.run([WINESERVER, "-w"], env=self.env)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        if self.wine:
            subprocess.run([WINESERVER, "-k"], env=self.env, stderr=subprocess.DEVNULL)
        for p in reversed(self.procs):
            p.terminate()
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()
        if exc[0] is None and not os.environ.get("ORVANNE_KEEP"):
            shutil.rmtree(self.dir, ignore_errors=True)
        else:
            print("kept session files in", self.dir)

    def dist(self, name):
        return os.path.join(DIST_DIR, name)

    def tool(self, name):
        return os.path.join(TOOLS_DIR, name)

    def install(self, folder="saver"):
        target = os.path.join(self.dir, folder)
        os.makedirs(target, exist_ok=True)
        for name in ("Orvanne.scr", "Orvanne.dll"):
            shutil.copy(self.dist(name), target)
        return target

    def start(self, program, *args, env=None, native=False, **popen):
        command = [WINE, program, *args] if self.wine and not native else [program, *args]
        p = subprocess.Popen(command, env=dict(self.env, **(env or {})), **{
            "cwd": self.dir, "stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL, **popen})
        self.procs.append(p)
        return p

    def wait_exit(self, proc, timeout=15):
        return proc.wait(timeout)

    def wintool(self, *args, env=None, timeout=30):
        r = subprocess.run([WINE, self.tool("wintool.exe"), *map(str, args)],
                           env=dict(self.env, **(env or {})), stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, timeout=timeout)
        return r.returncode, r.stdout.decode("utf-8", "replace").replace("\r", "")

    def window_info(self, title, env=None):
        code, out = self.wintool("window", title, env=env)
        return fields(out.strip()) if code == 0 else None

    def children(self, title, env=None):
        _, out = self.wintool("children", title, env=env)
        return [fields(line) for line in out.splitlines() if line.startswith("child ")]

    def x(self, *cmd, check_rc=False):
        r = subprocess.run(cmd, env=self.env, capture_output=True)
        check(not check_rc or r.returncode == 0, f"{cmd[0]} failed")
        return r.stdout.decode("utf-8", "replace").strip()

    def wait_window(self, title, timeout=15):
        r = subprocess.run(["xdotool", "search", "--sync", "--name", f"^{title}$"], env=self.env,
                           stdout=subprocess.PIPE, timeout=timeout)
        return int(r.stdout.split()[0])

    def geometry(self, wid):
        out = self.x("xwininfo", "-id", str(wid))
        values = dict(line.strip().partition(":")[::2] for line in out.splitlines())
        return tuple(int(values[key]) for key in ("Absolute upper-left X",
                                                  "Absolute upper-left Y", "Width", "Height"))

    def key(self, *keys):
        self.x("xdotool", "key", *keys, check_rc=True)

    def click(self, wid, x, y, button=1):
        self.x("xdotool", "mousemove", "--window", str(wid), str(x), str(y), "click",
               str(button), check_rc=True)

    def mouse_move(self, x, y):
        self.x("xdotool", "mousemove", str(x), str(y), check_rc=True)

    def screenshot(self, name):
        os.makedirs(os.path.join(self.dir, "shots"), exist_ok=True)
        png = os.path.join(self.dir, "shots", name + ".png")
        self.x("import", "-window", "root", png, check_rc=True)
        return Image(png)
