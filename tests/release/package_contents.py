"""What `--target package` leaves in build/packages: both installers and both archives hold
the programs of their own build, and every program and installer carries its version
resource; each program has exactly its own manifest. No Wine needed."""

import os
import re
import struct
import subprocess
import tempfile
import zipfile
from pathlib import Path

import harness
from harness import check

BUILD = os.path.join(harness.SOURCE_DIR, "build")
PACKAGES = os.environ.get("ORVANNE_PACKAGES", os.path.join(BUILD, "packages"))
VERSION = os.environ["ORVANNE_VERSION"]
BUILDS = {  # package tag: (folder of that build's programs, PE machine)
    "win32": (os.environ.get("ORVANNE_RELEASE_DIST", f"{BUILD}/windows-i686/dist"), 0x14C),
    "win64": (os.environ.get("ORVANNE_TEST_DIST", f"{BUILD}/windows-x86_64/dist"), 0x8664),
}
ICON = Path(harness.SOURCE_DIR, "assets/dialog/vellis_p.ico").read_bytes()
PROGRAMS = ("Orvanne.scr", "Orvanne.dll")


def pe_machine(data):
    return struct.unpack_from("<H", data, struct.unpack_from("<I", data, 0x3C)[0] + 4)[0]


def resource(path, kind, name=None):
    args = ["wrestool", "-x", "--raw", f"--type={kind}"] + ([f"--name={name}"] if name else [])
    return subprocess.run(args + [path], stdout=subprocess.PIPE, check=True).stdout


def resource_names(path, kind):
    out = subprocess.run(["wrestool", "-l", f"--type={kind}", path], stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL).stdout.decode()
    return re.findall(r"--name=(\S+)", out)


def check_version(path):
    data = resource(path, 16)
    major, minor, patch = map(int, VERSION.split("."))
    fixed = struct.unpack_from("<II", data, data.find(struct.pack("<I", 0xFEEF04BD)) + 8)
    check(fixed == (major << 16 | minor, patch << 16), f"{path}: fixed file version {fixed}")
    # Each string is its key, a NUL, padding to 4 bytes and the value up to its NUL. After an
    # empty value would come the next header, whose type word (0 or 1) stops the match.
    strings = dict(re.findall("(ProductName|FileDescription|FileVersion|ProductVersion|"
                              "CompanyName|LegalCopyright)\0+([^\0-\x1f]+)\0",
                              data.decode("utf-16-le", "replace")))
    check(len(strings) == 6 and strings["FileVersion"] == strings["ProductVersion"] == VERSION,
          f"{path}: version strings {strings}")


def check_program(path, machine):
    check(pe_machine(Path(path).read_bytes()) == machine, f"{path}: not for machine {machine:#x}")
    check_version(path)
    # One manifest, ours: a toolchain's default manifest would bring requestedExecutionLevel.
    check(resource_names(path, 24) == ["1"], f"{path}: not exactly one manifest, id 1")
    manifest = resource(path, 24)
    check(b"requestedExecutionLevel" not in manifest, f"{path}: requests an execution level")
    if path.endswith(".dll"):
        check(b">true/pm</dpiAware>" in manifest and b">PerMonitorV2," in manifest,
              f"{path}: not DPI aware per monitor:\n{manifest.decode()}")
    else:
        # The first icon group is the icon Explorer and the control panel show.
        group = resource(path, 14, resource_names(path, 14)[0])
        image = resource(path, 3, struct.unpack_from("<H", group, 6 + 12)[0])
        size, offset = struct.unpack_from("<II", ICON, 6 + 8)
        check(image == ICON[offset:offset + size], f"{path}: its first icon is not the program's")


def check_package(base, dist, machine):
    setup, archive = base + "-setup.exe", base + ".zip"
    programs = {name: Path(dist, name).read_bytes() for name in PROGRAMS}
    data = Path(setup).read_bytes()
    check(pe_machine(data) == machine and b"NullsoftInst" in data,
          f"{setup}: not an NSIS installer for machine {machine:#x}")
    check_version(setup)
    check(re.search(rb'requestedExecutionLevel\s+level="asInvoker"', resource(setup, 24)),
          f"{setup}: does not run as the user")
    with tempfile.TemporaryDirectory() as out:
        subprocess.run(["7zz", "x", "-y", f"-o{out}", setup], stdout=subprocess.DEVNULL, check=True)
        unpacked = {name: Path(out, name).read_bytes() for name in programs}
    check(unpacked == programs, f"{setup}: does not hold the programs of {dist}")

    licence = Path(harness.SOURCE_DIR, "LICENSE").read_bytes().replace(b"\n", b"\r\n")
    with zipfile.ZipFile(archive) as z:
        held = {name: z.read(name) for name in z.namelist()}
    readme = held.pop("README.txt", b"")
    check(held == dict(programs, **{"LICENSE.txt": licence}),
          f"{archive} holds {sorted(held)}: not just the programs of {dist}, README.txt and "
          "LICENSE.txt with Windows line ends")
    check(readme.startswith(f"Orvanne {VERSION}\r\n".encode()) and
          b"\n" not in readme.replace(b"\r\n", b""),
          f"{archive}: README.txt does not name the version or has Unix line ends")


for tag, (dist, machine) in BUILDS.items():
    for name in PROGRAMS:
        check_program(os.path.join(dist, name), machine)
    base = os.path.join(PACKAGES, f"Orvanne-{VERSION}-{tag}")
    check(os.path.exists(base + "-setup.exe") and os.path.exists(base + ".zip"),
          f"{base}-setup.exe or .zip missing: cmake --build build --target package")
    check_package(base, dist, machine)
