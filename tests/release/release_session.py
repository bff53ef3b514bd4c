"""Each build's installer and archive hold its own programs with their version and manifest;
then the 64-bit installer in a fresh prefix, judged by what it leaves and its exit code."""

import os
import re
import shutil
import struct
import subprocess
import tempfile
import zipfile
from pathlib import Path

import harness
from harness import check
from renderer_checks import wait_for

BUILD = os.path.join(harness.SOURCE_DIR, "build")
PACKAGES = os.environ.get("ORVANNE_PACKAGES", os.path.join(BUILD, "packages"))
VERSION = os.environ["ORVANNE_VERSION"]
RELEASE_DIST = os.environ.get("ORVANNE_RELEASE_DIST", f"{BUILD}/windows-i686/dist")
BUILDS = {"win32": (RELEASE_DIST, 0x14C), "win64": (harness.DIST_DIR, 0x8664)}  # PE machines
ICON = Path(harness.SOURCE_DIR, "assets/dialog/vellis_p.ico").read_bytes()
PROGRAMS = ("Orvanne.scr", "Orvanne.dll")
SETUP = os.path.join(PACKAGES, f"Orvanne-{VERSION}-win64-setup.exe")
DESKTOP = r"HKCU\Control Panel\Desktop"
UNINSTALL = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanne"
# Settings as the dialog writes them, code page 932 keys and all.
SETTINGS = ("[Section]\r\nBGM区分=2\r\nBGMﾘﾋﾟｰﾄ=3\r\nBGMﾌｧｲﾙ=C:\\音楽\\曲.mp3\r\n").encode("cp932")


def pe_machine(data):
    return struct.unpack_from("<H", data, struct.unpack_from("<I", data, 0x3C)[0] + 4)[0]


def resource(path, kind, name=None, listing=False):
    """The raw resource, or with listing the names of those of its kind."""
    args = ["-l"] if listing else ["-x", "--raw"] + ([f"--name={name}"] if name else [])
    out = subprocess.run(["wrestool", *args, f"--type={kind}", path], stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL).stdout
    return re.findall(r"--name=(\S+)", out.decode()) if listing else out


def check_version(path):
    data = resource(path, 16)
    major, minor, patch = map(int, VERSION.split("."))
    fixed = struct.unpack_from("<II", data, data.find(struct.pack("<I", 0xFEEF04BD)) + 8)
    # Each string: its key, NULs padding to 4 bytes, the value to its NUL. An empty value
    # does not match, as the next header's type word (0 or 1) follows.
    strings = dict(re.findall("(ProductName|FileDescription|FileVersion|ProductVersion|"
                              "CompanyName|LegalCopyright)\0+([^\0-\x1f]+)\0",
                              data.decode("utf-16-le", "replace")))
    check(fixed == (major << 16 | minor, patch << 16) and len(strings) == 6 and
          strings["FileVersion"] == strings["ProductVersion"] == VERSION,
          f"{path}: fixed version {fixed}, strings {strings}")


def check_program(path, machine):
    check(pe_machine(Path(path).read_bytes()) == machine, f"{path}: not for machine {machine:#x}")
    check_version(path)
    # One manifest, ours: a toolchain's default manifest would bring requestedExecutionLevel.
    manifest = resource(path, 24)
    check(resource(path, 24, listing=True) == ["1"] and b"requestedExecutionLevel" not in manifest,
          f"{path}: not exactly one manifest, id 1, without an execution level")
    if path.endswith(".dll"):
        check(b">true/pm</dpiAware>" in manifest and b">PerMonitorV2," in manifest,
              f"{path}: not DPI aware per monitor:\n{manifest.decode()}")
    else:
        # The first icon group is the icon Explorer and the control panel show.
        group = resource(path, 14, resource(path, 14, listing=True)[0])
        image = resource(path, 3, struct.unpack_from("<H", group, 6 + 12)[0])
        size, offset = struct.unpack_from("<II", ICON, 6 + 8)
        check(image == ICON[offset:offset + size], f"{path}: its first icon is not the program's")


def check_package(base, dist, machine):
    setup, archive = base + "-setup.exe", base + ".zip"
    programs = {name: Path(dist, name).read_bytes() for name in PROGRAMS}
    data = Path(setup).read_bytes()
    check(pe_machine(data) == machine and b"NullsoftInst" in data and
          re.search(rb'requestedExecutionLevel\s+level="asInvoker"', resource(setup, 24)),
          f"{setup}: not an installer for machine {machine:#x} run as the user")
    check_version(setup)
    with tempfile.TemporaryDirectory() as out:
        subprocess.run(["7zz", "x", "-y", f"-o{out}", setup], stdout=subprocess.DEVNULL, check=True)
        unpacked = {name: Path(out, name).read_bytes() for name in programs}
    licence = Path(harness.SOURCE_DIR, "LICENSE").read_bytes().replace(b"\n", b"\r\n")
    with zipfile.ZipFile(archive) as z:
        held = {name: z.read(name) for name in z.namelist()}
    readme = held.pop("README.txt", b"")
    check(unpacked == programs and held == dict(programs, **{"LICENSE.txt": licence}),
          f"{base}: the installer or the archive ({sorted(held)}) does not hold just the "
          f"programs of {dist}, README.txt and LICENSE.txt with Windows line ends")
    check(readme.startswith(f"Orvanne {VERSION}\r\n".encode()) and
          b"\n" not in readme.replace(b"\r\n", b""),
          f"{archive}: README.txt does not name the version or has Unix line ends")


def wine(s, *args):
    return subprocess.run([harness.WINE, *args], env=s.env, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL)


def settle(s, program, *args):
    """Runs a program until all it started in the prefix has ended; returns its exit code."""
    p = s.start(program, *args)
    subprocess.run([harness.WINESERVER, "-w"], env=s.env, timeout=120)
    return p.wait(10)


def registry(s, key):
    """Values of a registry key as {name: data}, or None when the key is missing."""
    r = wine(s, "reg", "query", key)
    values = re.findall(r"^    (.+?)    REG_\w+    ?(.*?)\r?$", r.stdout.decode("utf-8", "replace"),
                        re.MULTILINE)
    return dict(values) if r.returncode == 0 else None


def shortcut(s, user):
    """The UTF-16 strings of the Start-menu entry (no desk.cpl here to run it), or None."""
    lnk = Path(s.prefix, "drive_c/users", user,
               "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Orvanne.lnk")
    if lnk.exists():
        return subprocess.run(["strings", "-el", lnk], stdout=subprocess.PIPE).stdout.decode()


def check_installed(s, folder):
    """The shipped programs in folder, chosen as the active saver, with a Start-menu entry
    that chooses them again."""
    check(all(Path(folder, n).read_bytes() == Path(s.dist(n)).read_bytes() for n in PROGRAMS),
          f"the programs in {folder} are not the shipped ones")
    desktop = registry(s, DESKTOP)
    chosen = desktop.get("SCRNSAVE.EXE", "")
    unix = wine(s, "winepath", "-u", chosen).stdout.decode().strip()
    user = Path(folder).relative_to(Path(s.prefix, "drive_c/users")).parts[0]
    strings = shortcut(s, user) or ""
    check(os.path.exists(unix) and os.path.samefile(unix, os.path.join(folder, "Orvanne.scr"))
          and desktop.get("ScreenSaveActive") == "1" and "rundll32.exe\n" in strings
          and f"desk.cpl,InstallScreenSaver {chosen}\n" in strings,
          f"SCRNSAVE.EXE is {chosen!r}, not the active saver in {folder}, or the Start-menu "
          f"entry does not choose it: {strings!r}")


def contents(folder):
    return {n: Path(folder, n).read_bytes() for n in sorted(os.listdir(folder))}


for tag, (dist, machine) in BUILDS.items():
    for name in PROGRAMS:
        check_program(os.path.join(dist, name), machine)
    check_package(os.path.join(PACKAGES, f"Orvanne-{VERSION}-{tag}"), dist, machine)

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
    uninstall = rf'"{place}\uninstall.exe"'
    expected = {"DisplayName": "Orvanne", "DisplayVersion": VERSION, "NoModify": "0x1",
                "NoRepair": "0x1", "DisplayIcon": place + r"\Orvanne.scr,0",
                "UninstallString": uninstall, "QuietUninstallString": uninstall + " /S"}
    size_kb = sum(os.path.getsize(os.path.join(folder, n)) for n in PROGRAMS) // 1024
    check({name: entry.get(name) for name in expected} == expected and entry.get("Publisher")
          and size_kb <= int(entry["EstimatedSize"], 16) < 2 * size_kb + 200,
          f"Apps & features entry {entry}, expected {expected}, a publisher and about "
          f"{size_kb} KB")

    # A folder that takes no file (Z: is the root, /sys makes no folder): a failure, and the
    # registry as it was.
    before = registry(s, DESKTOP)["SCRNSAVE.EXE"], registry(s, UNINSTALL)
    code = settle(s, SETUP, "/S", r"/D=Z:\sys\Orvanne")
    after = registry(s, DESKTOP)["SCRNSAVE.EXE"], registry(s, UNINSTALL)
    check(code != 0 and after == before, f"into an unwritable folder: code {code}, now {after}")

    # While the saver runs, as the settings page keeps it running: neither the installer nor
    # the uninstaller (in place, so that its exit code is seen) changes anything.
    Path(folder, "Orvanne.dll").write_bytes(Path(s.tool("wintool.exe")).read_bytes())
    wine(s, "reg", "add", UNINSTALL, "/v", "DisplayVersion", "/d", "0.9", "/f")
    before = contents(folder)
    running = s.start(os.path.join(folder, "Orvanne.scr"), "/s")
    s.wait_window("Vellis_VC", 15)
    for program, args in ((SETUP, ["/S"]),
                          (os.path.join(folder, "uninstall.exe"), ["/S", "_?=" + place])):
        code = s.start(program, *args).wait(60)
        check(code != 0 and contents(folder) == before and
              (registry(s, UNINSTALL) or {}).get("DisplayVersion") == "0.9",
              f"{os.path.basename(program)} {args} with the saver running: code {code}, "
              f"folder {sorted(contents(folder))}, entry {registry(s, UNINSTALL)}")
    s.wintool("close", "Vellis_VC")
    s.wait_exit(running)

    # Over an earlier install: the programs are replaced, the user's settings kept.
    Path(folder, "Orvanne.ini").write_bytes(SETTINGS)
    check(settle(s, SETUP, "/S") == 0 and Path(folder, "Orvanne.ini").read_bytes() == SETTINGS,
          "reinstall failed or changed Orvanne.ini")
    check_installed(s, folder)

    # A copy an older installer left elsewhere, with no entry of its own.
    orphan = os.path.join(s.dir, "orphan")
    shutil.copytree(folder, orphan)

    # Into another folder, whose name has a short form: the earlier copy goes, all but the
    # user's own files, and the settings move along. The short path is what the system gets.
    Path(folder, "music.mp3").write_bytes(b"the user's")
    earlier, folder = folder, os.path.join(os.path.dirname(folder), "OrvanneScreenSaver")
    place += "ScreenSaver"
    check(settle(s, SETUP, "/S", "/D=" + place) == 0, f"install into {place} failed")
    check_installed(s, folder)
    chosen = registry(s, DESKTOP)["SCRNSAVE.EXE"]
    check(os.listdir(earlier) == ["music.mp3"] and "~" in chosen and
          Path(folder, "Orvanne.ini").read_bytes() == SETTINGS,
          f"the earlier copy left {os.listdir(earlier)}, the settings did not move, or "
          f"SCRNSAVE.EXE {chosen!r} is not the short path")

    # The orphan's uninstaller removes that copy only: the entry, the shortcut and the choice
    # of the installed one stay.
    settle(s, os.path.join(orphan, "uninstall.exe"), "/S")
    wait_for(lambda: not os.path.exists(orphan), 30, "the orphan copy is still there")
    check_installed(s, folder)
    check((registry(s, UNINSTALL) or {}).get("InstallLocation") == place,
          f"the entry does not name {place}: {registry(s, UNINSTALL)}")

    # The uninstaller copies itself away and returns at once: wait for its effects.
    settle(s, os.path.join(folder, "uninstall.exe"), "/S")
    wait_for(lambda: not os.path.exists(folder), 30, f"uninstall left {folder}")
    check(registry(s, UNINSTALL) is None and "SCRNSAVE.EXE" not in registry(s, DESKTOP)
          and shortcut(s, user) is None,
          "the uninstall left the Apps & features entry, SCRNSAVE.EXE or the Start-menu entry")
