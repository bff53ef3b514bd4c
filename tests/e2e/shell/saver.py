"""What the shell's end-to-end scripts share: installs, the settings file, Japanese text."""

import os
import pathlib
import subprocess
import time

import harness
from harness import check


def japanese():
    # Wine takes the ANSI code page from LC_ALL, and maps non-ASCII Unix file names only when
    # the C library knows the locale: a private copy is compiled once per build tree.
    locale = os.path.join(harness.WORK_DIR, "locale", "ja_JP.UTF-8")
    if not os.path.isdir(locale):
        os.makedirs(os.path.dirname(locale), exist_ok=True)
        subprocess.run(["localedef", "-i", "ja_JP", "-f", "UTF-8", locale], capture_output=True)
    return {"LANG": "ja_JP.UTF-8", "LC_ALL": "ja_JP.UTF-8", "LOCPATH": os.path.dirname(locale)}


def link_japanese_font(s):
    # A fresh prefix links no CJK font to the dialog fonts, as Windows does, and under code
    # page 932 asks for a Japanese interface font it lacks: IPA P Gothic stands in for both.
    key = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink"
    for font in ("Tahoma", "MS Shell Dlg", "Microsoft Sans Serif"):
        harness.quiet([harness.WINE, "reg", "add", key, "/v", font, "/t", "REG_MULTI_SZ", "/d",
                       "ipagp.ttf,IPAPGothic", "/f"], s.env)
    harness.quiet([harness.WINE, "reg", "add", r"HKCU\Software\Wine\Fonts\Replacements", "/v",
                   "MS UI Gothic", "/t", "REG_SZ", "/d", "IPAPGothic", "/f"], s.env)
    subprocess.run([harness.WINESERVER, "-w"], env=s.env)


def install(s, folder, renderer=None):
    """A saver folder whose renderer is the stand-in, or renderer's bytes, or none for b""."""
    dll = pathlib.Path(s.install(folder), "Orvanne.dll")
    dll.unlink(missing_ok=True)
    if renderer != b"":
        dll.write_bytes(renderer or pathlib.Path(s.tool("wintool.exe")).read_bytes())
    return str(dll.parent)


def ini_bytes(kind, repeat, music):
    # The file the settings dialog writes from scratch.
    music = music if isinstance(music, bytes) else music.encode("cp932")
    keys = f"[Section]\r\nBGM区分={kind}\r\nBGMﾘﾋﾟｰﾄ={repeat}\r\nBGMﾌｧｲﾙ="
    return keys.encode("cp932") + music + b"\r\n"


def write_ini(folder, data):
    pathlib.Path(folder, "Orvanne.ini").write_bytes(data)


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def run(s, folder, *args, env=None, **popen):
    return s.start(os.path.join(folder, "Orvanne.scr"), *args, env=env, **popen)


def ended(p, what, least=0, most=1):
    t0 = time.time()
    while p.poll() is None and time.time() - t0 < most + 4:
        time.sleep(0.01)
    took = time.time() - t0
    check(least <= took < most, f"{what}: ended after {took:.2f} s, expected {least} to {most}")
