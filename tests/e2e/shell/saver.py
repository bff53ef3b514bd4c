"""What the shell's end-to-end scripts share: an install with a stand-in renderer, the
settings file, Japanese text, and timings."""

import os
import pathlib
import shutil
import subprocess
import time

import harness
from harness import check


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


def link_japanese_font(s):
    """Wine's fresh prefix links no CJK font to the dialog fonts, as Windows does; without
    it the message shows boxes for its Japanese characters. Under code page 932 Wine asks
    for the Japanese interface font instead, which is not there: IPA P Gothic stands in."""
    key = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink"
    for font in ("Tahoma", "MS Shell Dlg", "Microsoft Sans Serif"):
        harness.quiet([harness.WINE, "reg", "add", key, "/v", font, "/t", "REG_MULTI_SZ", "/d",
                       "ipagp.ttf,IPAPGothic", "/f"], s.env)
    harness.quiet([harness.WINE, "reg", "add", r"HKCU\Software\Wine\Fonts\Replacements", "/v",
                   "MS UI Gothic", "/t", "REG_SZ", "/d", "IPAPGothic", "/f"], s.env)
    subprocess.run([harness.WINESERVER, "-w"], env=s.env)


def install(s, folder, renderer="standin"):
    """A saver folder; renderer is "standin", "real", "missing" or bytes for the file."""
    target = s.install(folder)
    dll = pathlib.Path(target, "Orvanne.dll")
    if renderer == "standin":
        shutil.copy(s.tool("wintool.exe"), dll)
    elif renderer == "missing":
        dll.unlink(missing_ok=True)
    elif isinstance(renderer, bytes):
        dll.write_bytes(renderer)
    return target


def ini_bytes(kind, repeat, music):
    """The file the settings dialog writes from scratch (values as bytes or str)."""
    lines = [b"[Section]"]
    for key, value in (("BGM区分", kind), ("BGMﾘﾋﾟｰﾄ", repeat), ("BGMﾌｧｲﾙ", music)):
        value = value if isinstance(value, bytes) else str(value).encode("cp932")
        lines.append(key.encode("cp932") + b"=" + value)
    return b"\r\n".join(lines) + b"\r\n"


def write_ini(folder, data):
    pathlib.Path(folder, "Orvanne.ini").write_bytes(data)


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def run(s, folder, *args, env=None, **popen):
    return s.start(os.path.join(folder, "Orvanne.scr"), *args, env=env, **popen)


def ended(p, what, least=0, most=1):
    """Waits for p to end; fails unless that took least to most seconds from now."""
    t0 = time.time()
    while p.poll() is None and time.time() - t0 < most + 4:
        time.sleep(0.01)
    took = time.time() - t0
    print(f"{what}: ended after {took:.2f} s")
    check(least <= took < most, f"{what}: ended after {took:.2f} s, expected {least} to {most}")
