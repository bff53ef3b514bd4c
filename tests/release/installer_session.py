"""The 64-bit installer in a fresh prefix, judged by what it leaves (NSIS returns before its
work is done): a silent install, the saver it made active, a reinstall over the user's
settings, and the uninstaller, with another saver chosen meanwhile and with ours."""

import os
import re
import subprocess
import time
from pathlib import Path

import harness
from harness import check

PACKAGES = os.environ.get("ORVANNE_PACKAGES", os.path.join(harness.SOURCE_DIR, "build/packages"))
VERSION = os.environ["ORVANNE_VERSION"]
SETUP = os.path.join(PACKAGES, f"Orvanne-{VERSION}-win64-setup.exe")
DESKTOP = r"HKCU\Control Panel\Desktop"
UNINSTALL = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanne"
PROGRAMS = ("Orvanne.scr", "Orvanne.dll")
# Settings as the dialog writes them, code page 932 keys and all.
SETTINGS = ("[Section]\r\nBGM区分=2\r\nBGMﾘﾋﾟｰﾄ=3\r\nBGMﾌｧｲﾙ=C:\\音楽\\曲.mp3\r\n").encode("cp932")


def settle(s, program, *args):
    """Runs a program and waits until everything it started in the prefix has ended."""
    p = s.start(program, *args)
    subprocess.run([harness.WINESERVER, "-w"], env=s.env, timeout=120)
    p.wait(10)


def registry(s, key):
    """Values of a registry key as {name: data}, or None when the key is missing."""
    r = subprocess.run([harness.WINE, "reg", "query", key], env=s.env, stdout=subprocess.PIPE,
                       stderr=subprocess.DEVNULL)
    if r.returncode != 0:
        return None
    lines = r.stdout.decode("utf-8", "replace").splitlines()
    return {m[1]: m[3] for m in (re.match(r"^    (.+?)    (REG_\w+)    ?(.*)$", line.rstrip("\r"))
                                 for line in lines) if m}


def unix_path(s, windows_path):
    r = subprocess.run([harness.WINE, "winepath", "-u", windows_path], env=s.env,
                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    return r.stdout.decode().strip()


def same_file(a, b):
    return os.path.exists(a) and os.path.exists(b) and os.path.samefile(a, b)


def install_folder(s):
    """The user's %LOCALAPPDATA%\\Programs\\Orvanne in the prefix."""
    users = os.path.join(s.prefix, "drive_c/users")
    (user,) = [u for u in os.listdir(users) if u != "Public"]
    return os.path.join(users, user, "AppData/Local/Programs/Orvanne")


def uninstall(s, folder):
    """The uninstaller copies itself away and returns at once: wait for its effects."""
    settle(s, os.path.join(folder, "uninstall.exe"), "/S")
    end = time.time() + 30
    while os.path.exists(os.path.join(folder, "uninstall.exe")) and time.time() < end:
        time.sleep(0.2)


def check_installed(s, folder):
    for name in PROGRAMS:
        path = Path(folder, name)
        check(path.exists() and path.read_bytes() == Path(s.dist(name)).read_bytes(),
              f"{name} in {folder} is not the shipped one")
    saver = registry(s, DESKTOP) or {}
    chosen = saver.get("SCRNSAVE.EXE", "")
    check(same_file(unix_path(s, chosen), os.path.join(folder, "Orvanne.scr")),
          f"SCRNSAVE.EXE is {chosen!r}, not the installed saver")
    check(saver.get("ScreenSaveActive") == "1",
          f"ScreenSaveActive is {saver.get('ScreenSaveActive')!r}")


with harness.Session() as s:
    settle(s, SETUP, "/S")
    folder = install_folder(s)
    check(os.path.isdir(folder), f"nothing installed in {folder}")
    check(sorted(os.listdir(folder)) == ["Orvanne.dll", "Orvanne.scr", "uninstall.exe"],
          f"installed folder holds {os.listdir(folder)}")
    check_installed(s, folder)

    entry = registry(s, UNINSTALL)
    check(entry is not None, "no Apps & features entry")
    check(entry["DisplayName"] == "Orvanne" and entry["DisplayVersion"] == VERSION and
          entry["Publisher"], f"entry names {entry['DisplayName']!r} {entry['DisplayVersion']!r}")
    check(same_file(unix_path(s, entry["DisplayIcon"].rsplit(",", 1)[0]),
                    os.path.join(folder, "Orvanne.scr")), f"DisplayIcon {entry['DisplayIcon']!r}")
    check(same_file(unix_path(s, entry["UninstallString"].strip('"')),
                    os.path.join(folder, "uninstall.exe")) and
          entry["QuietUninstallString"] == entry["UninstallString"] + " /S",
          f"UninstallString {entry['UninstallString']!r}, quiet {entry['QuietUninstallString']!r}")
    size_kb = sum(os.path.getsize(os.path.join(folder, n)) for n in PROGRAMS) // 1024
    check(size_kb <= int(entry["EstimatedSize"], 16) < 2 * size_kb + 200,
          f"EstimatedSize {entry['EstimatedSize']} KB for {size_kb} KB of programs")
    check(entry["NoModify"] == "0x1" and entry["NoRepair"] == "0x1", "Modify or Repair offered")

    # The installed saver runs as Windows starts it, full screen at the screen's own size.
    p = s.start(os.path.join(folder, "Orvanne.scr"), "/s")
    wid = s.wait_window("Vellis_VC")
    check(s.geometry(wid) == (0, 0, 1280, 1024), f"renderer window at {s.geometry(wid)}")
    # The field is jewels on black; a cold start here takes a while to its first frame.
    end = time.time() + 15
    while True:
        shot = s.screenshot("installed-saver")
        dark = sum(max(px) < 40 for px in shot.region(0, 0, 1280, 1024, 32))
        if dark > 1100 or time.time() > end:
            break
        time.sleep(0.5)
    check(dark > 1100, f"the installed saver shows no field: {dark} of 1280 samples dark")
    s.key("Escape")
    s.wait_exit(p)

    # Over an earlier install: the programs are replaced, the user's settings kept.
    Path(folder, "Orvanne.ini").write_bytes(SETTINGS)
    Path(folder, "Orvanne.dll").write_bytes(b"an earlier renderer")
    settle(s, SETUP, "/S")
    check_installed(s, folder)
    check(Path(folder, "Orvanne.ini").read_bytes() == SETTINGS, "reinstall changed Orvanne.ini")

    # Another saver chosen since: the uninstaller leaves the choice, and the user's own files.
    other = r"C:\windows\system32\other.scr"
    subprocess.run([harness.WINE, "reg", "add", DESKTOP, "/v", "SCRNSAVE.EXE", "/d", other, "/f"],
                   env=s.env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    Path(folder, "music.mp3").write_bytes(b"the user's")
    uninstall(s, folder)
    check(os.listdir(folder) == ["music.mp3"], f"uninstall left {os.listdir(folder)}")
    check(registry(s, UNINSTALL) is None, "Apps & features entry left behind")
    check(registry(s, DESKTOP).get("SCRNSAVE.EXE") == other, "uninstall cleared another saver")

    # Ours still chosen, from a folder of the user's choice (/D) whose name has a short form:
    # the short path is what the system gets and what the uninstaller recognises.
    os.remove(os.path.join(folder, "music.mp3"))
    os.rmdir(folder)
    folder = os.path.join(os.path.dirname(folder), "OrvanneScreenSaver")
    settle(s, SETUP, "/S", "/D=C:\\users\\" + folder.split("/users/")[1].replace("/", "\\"))
    check_installed(s, folder)
    chosen = registry(s, DESKTOP)["SCRNSAVE.EXE"]
    check("~" in chosen and "OrvanneScreenSaver" not in chosen,
          f"SCRNSAVE.EXE is {chosen!r}, not the short path")
    Path(folder, "Orvanne.ini").write_bytes(SETTINGS)
    uninstall(s, folder)
    check(not os.path.exists(folder), f"uninstall left {folder}")
    check("SCRNSAVE.EXE" not in registry(s, DESKTOP), "SCRNSAVE.EXE still names the removed saver")
    check(registry(s, UNINSTALL) is None, "Apps & features entry left behind")
