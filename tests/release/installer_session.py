"""The 64-bit installer in a fresh prefix, judged by what it leaves (NSIS returns before its
work is done): install, reinstall over the user's settings, uninstall with another saver
chosen meanwhile and with ours."""

import os
import re
import subprocess
from pathlib import Path

import harness
from harness import check
from renderer_checks import wait_for

PACKAGES = os.environ.get("ORVANNE_PACKAGES", os.path.join(harness.SOURCE_DIR, "build/packages"))
VERSION = os.environ["ORVANNE_VERSION"]
SETUP = os.path.join(PACKAGES, f"Orvanne-{VERSION}-win64-setup.exe")
DESKTOP = r"HKCU\Control Panel\Desktop"
UNINSTALL = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanne"
PROGRAMS = ("Orvanne.scr", "Orvanne.dll")
# Settings as the dialog writes them, code page 932 keys and all.
SETTINGS = ("[Section]\r\nBGM区分=2\r\nBGMﾘﾋﾟｰﾄ=3\r\nBGMﾌｧｲﾙ=C:\\音楽\\曲.mp3\r\n").encode("cp932")


def wine(s, *args):
    return subprocess.run([harness.WINE, *args], env=s.env, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL)


def settle(s, program, *args):
    """Runs a program and waits until everything it started in the prefix has ended."""
    p = s.start(program, *args)
    subprocess.run([harness.WINESERVER, "-w"], env=s.env, timeout=120)
    p.wait(10)


def registry(s, key):
    """Values of a registry key as {name: data}, or None when the key is missing."""
    r = wine(s, "reg", "query", key)
    values = re.findall(r"^    (.+?)    REG_\w+    ?(.*?)\r?$", r.stdout.decode("utf-8", "replace"),
                        re.MULTILINE)
    return dict(values) if r.returncode == 0 else None


def uninstall(s, folder):
    """The uninstaller copies itself away and returns at once: wait for its effects."""
    settle(s, os.path.join(folder, "uninstall.exe"), "/S")
    wait_for(lambda: not os.path.exists(os.path.join(folder, "uninstall.exe")), 30,
             "the uninstaller is still there")
    check(registry(s, UNINSTALL) is None, "Apps & features entry left behind")


def check_installed(s, folder):
    check(all(Path(folder, n).read_bytes() == Path(s.dist(n)).read_bytes() for n in PROGRAMS),
          f"the programs in {folder} are not the shipped ones")
    chosen = registry(s, DESKTOP).get("SCRNSAVE.EXE", "")
    unix = wine(s, "winepath", "-u", chosen).stdout.decode().strip()
    check(os.path.exists(unix) and os.path.samefile(unix, os.path.join(folder, "Orvanne.scr")),
          f"SCRNSAVE.EXE is {chosen!r}, not the saver in {folder}")
    check(registry(s, DESKTOP).get("ScreenSaveActive") == "1", "the saver is not made active")


with harness.Session() as s:
    settle(s, SETUP, "/S")
    users = os.path.join(s.prefix, "drive_c/users")
    (user,) = [u for u in os.listdir(users) if u != "Public"]
    folder = os.path.join(users, user, "AppData/Local/Programs/Orvanne")
    check(sorted(os.listdir(folder)) == ["Orvanne.dll", "Orvanne.scr", "uninstall.exe"],
          f"installed folder holds {os.listdir(folder)}")
    check_installed(s, folder)

    entry = registry(s, UNINSTALL) or {}
    place = rf"C:\users\{user}\AppData\Local\Programs\Orvanne"
    expected = {"DisplayName": "Orvanne", "DisplayVersion": VERSION, "NoModify": "0x1",
                "NoRepair": "0x1", "DisplayIcon": place + r"\Orvanne.scr,0",
                "UninstallString": rf'"{place}\uninstall.exe"'}
    expected["QuietUninstallString"] = expected["UninstallString"] + " /S"
    check({name: entry.get(name) for name in expected} == expected and entry.get("Publisher"),
          f"Apps & features entry {entry}, expected {expected} and a publisher")
    size_kb = sum(os.path.getsize(os.path.join(folder, n)) for n in PROGRAMS) // 1024
    check(size_kb <= int(entry["EstimatedSize"], 16) < 2 * size_kb + 200,
          f"EstimatedSize {entry['EstimatedSize']} KB for {size_kb} KB of programs")

    # Over an earlier install: the programs are replaced, the user's settings kept.
    Path(folder, "Orvanne.ini").write_bytes(SETTINGS)
    Path(folder, "Orvanne.dll").write_bytes(b"an earlier renderer")
    settle(s, SETUP, "/S")
    check_installed(s, folder)
    check(Path(folder, "Orvanne.ini").read_bytes() == SETTINGS, "reinstall changed Orvanne.ini")

    # Another saver chosen since: the uninstaller leaves the choice, and the user's own files.
    other = r"C:\windows\system32\other.scr"
    wine(s, "reg", "add", DESKTOP, "/v", "SCRNSAVE.EXE", "/d", other, "/f")
    Path(folder, "music.mp3").write_bytes(b"the user's")
    uninstall(s, folder)
    check(os.listdir(folder) == ["music.mp3"], f"uninstall left {os.listdir(folder)}")
    check(registry(s, DESKTOP).get("SCRNSAVE.EXE") == other, "uninstall cleared another saver")

    # Ours still chosen, from a folder of the user's choice (/D) whose name has a short form:
    # the short path is what the system gets and what the uninstaller recognises.
    folder = os.path.join(os.path.dirname(folder), "OrvanneScreenSaver")
    settle(s, SETUP, "/S", rf"/D=C:\users\{user}\AppData\Local\Programs\OrvanneScreenSaver")
    check_installed(s, folder)
    chosen = registry(s, DESKTOP)["SCRNSAVE.EXE"]
    check("~" in chosen, f"SCRNSAVE.EXE is {chosen!r}, not the short path")
    Path(folder, "Orvanne.ini").write_bytes(SETTINGS)
    uninstall(s, folder)
    check(not os.path.exists(folder), f"uninstall left {folder}")
    check("SCRNSAVE.EXE" not in registry(s, DESKTOP), "SCRNSAVE.EXE still names the removed saver")
