"""What the shell's end-to-end scripts share: an install with a stand-in renderer, the
settings file, the not-found message box, and timings."""

import os
import shutil
import subprocess
import time

import harness
from harness import check

NOT_FOUND = "Orvanne.dllが同じﾌｫﾙﾀﾞに見つかりません！"
TITLE = "Orvanne (ScreenSaver)"


def japanese():
    """Environment for ANSI code page 932. Wine takes the code page from LC_ALL here, and
    maps non-ASCII Unix file names only when the C library knows the locale, so a private
    copy of it is compiled once per build tree."""
    folder = os.path.join(harness.WORK_DIR, "locale")
    if not os.path.isdir(os.path.join(folder, "ja_JP.UTF-8")):
        os.makedirs(folder, exist_ok=True)
        subprocess.run(["localedef", "-i", "ja_JP", "-f", "UTF-8",
                        os.path.join(folder, "ja_JP.UTF-8")],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return {"LANG": "ja_JP.UTF-8", "LC_ALL": "ja_JP.UTF-8", "LOCPATH": folder}

KEY_KIND = "BGM区分".encode("cp932")
KEY_REPEAT = "BGMﾘﾋﾟｰﾄ".encode("cp932")
KEY_FILE = "BGMﾌｧｲﾙ".encode("cp932")


def link_japanese_font(s):
    """Wine's fresh prefix links no CJK font to the dialog fonts, as Windows does; without
    it the message shows boxes for its Japanese characters. Under code page 932 Wine asks
    for the Japanese interface font instead, which is not there: IPA P Gothic stands in."""
    key = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink"
    for font in ("Tahoma", "MS Shell Dlg", "Microsoft Sans Serif"):
        subprocess.run([harness.WINE, "reg", "add", key, "/v", font, "/t", "REG_MULTI_SZ", "/d",
                        "ipagp.ttf,IPAPGothic", "/f"], env=s.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run([harness.WINE, "reg", "add", r"HKCU\Software\Wine\Fonts\Replacements",
                    "/v", "MS UI Gothic", "/t", "REG_SZ", "/d", "IPAPGothic", "/f"], env=s.env,
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run([harness.WINESERVER, "-w"], env=s.env)


def install(s, folder, renderer="standin"):
    """A saver folder; renderer is "standin", "real", "missing" or bytes for the file."""
    target = s.install(folder)
    dll = os.path.join(target, "Orvanne.dll")
    if renderer == "standin":
        shutil.copy(s.tool("standin_renderer.exe"), dll)
    elif renderer == "missing":
        if os.path.exists(dll):
            os.remove(dll)
    elif isinstance(renderer, bytes):
        with open(dll, "wb") as f:
            f.write(renderer)
    return target


def ini_bytes(kind, repeat, music):
    """The file the settings dialog writes from scratch (values as bytes or str)."""
    def b(v):
        return v if isinstance(v, bytes) else str(v).encode("cp932")
    return (b"[Section]\r\n" + KEY_KIND + b"=" + b(kind) + b"\r\n" + KEY_REPEAT + b"=" +
            b(repeat) + b"\r\n" + KEY_FILE + b"=" + b(music) + b"\r\n")


def write_ini(folder, data):
    with open(os.path.join(folder, "Orvanne.ini"), "wb") as f:
        f.write(data)


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def run(s, folder, *args, env=None, **popen):
    return s.start(os.path.join(folder, "Orvanne.scr"), *args, env=env, **popen)


def seconds_to_exit(s, proc, limit):
    """Seconds from now until proc ends; fails after limit."""
    t0 = time.time()
    while proc.poll() is None:
        if time.time() - t0 > limit:
            raise harness.Failure(f"program still running after {limit} s")
        time.sleep(0.01)
    return time.time() - t0


def message_box(s, timeout=10):
    """The not-found box's child windows as (class, text), once it is up."""
    code, _ = s.wintool("wait", TITLE, timeout)
    check(code == 0, f"no message box titled '{TITLE}' within {timeout} s")
    return [(c["class"], c["text"]) for c in s.children(TITLE)]


def check_not_found_box(s, proc, label, shot=None):
    children = message_box(s)
    if shot:
        s.screenshot(shot)
    texts = [t for _, t in children if t]
    check(NOT_FOUND in texts, f"{label}: message text {texts!r}, expected {NOT_FOUND!r}")
    buttons = [t for c, t in children if c.lower() == "button"]
    check(buttons == ["OK"], f"{label}: buttons {buttons!r}, expected only OK")
    check(proc.poll() is None, f"{label}: program ended before the box was dismissed")
    s.wintool("close", TITLE)
    s.wait_exit(proc, 10)


def load(s, ini, env=None):
    """The settings as the saver reads them from ini: kind, repeat, music file bytes."""
    code, out = s.wintool("load", windows_path(ini), env=env)
    check(code == 0, f"wintool load failed on {ini}")
    values = dict(item.split("=", 1) for item in out.split())
    return int(values["kind"]), int(values["repeat"]), bytes.fromhex(values["file"])


def read_log(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return dict(line.split("=", 1) for line in f.read().splitlines() if "=" in line)
