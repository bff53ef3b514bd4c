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
PROGRAM_ICON = os.path.join(harness.SOURCE_DIR, "assets/dialog/vellis_p.ico")
DESCRIPTIONS = {"Orvanne.scr": "Orvanne screen saver", "Orvanne.dll": "Orvanne renderer"}


def pe_machine(data):
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    return data[offset:offset + 4] == b"PE\0\0" and struct.unpack_from("<H", data, offset + 4)[0]


def resource(path, kind, name=None):
    args = ["wrestool", "-x", "--raw", f"--type={kind}"] + ([f"--name={name}"] if name else [])
    return subprocess.run(args + [path], stdout=subprocess.PIPE, check=True).stdout


def resource_names(path, kind):
    out = subprocess.run(["wrestool", "-l", f"--type={kind}", path], stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL).stdout.decode()
    return re.findall(r"--name=(\S+)", out)


def check_version(path, description):
    data = resource(path, 16)
    major, minor, patch = map(int, VERSION.split("."))
    fixed = struct.unpack_from("<II", data, data.find(struct.pack("<I", 0xFEEF04BD)) + 8)
    check(fixed == (major << 16 | minor, patch << 16), f"{path}: fixed file version {fixed}")
    # Each string is its key, a NUL, padding to 4 bytes and the value up to its NUL.
    text = data.decode("utf-16-le", "replace")
    for key, want in [("ProductName", "Orvanne"), ("FileDescription", description),
                      ("FileVersion", VERSION), ("ProductVersion", VERSION),
                      ("CompanyName", None), ("LegalCopyright", None)]:
        found = re.search(key + "\0+([^\0]+)", text)
        value = found and found[1]
        check(value and value == (want or value), f"{path}: {key} {value!r}, expected {want!r}")


def icon_group_images(path):
    """The images of the first icon group, the one Explorer and the control panel show."""
    group = resource(path, 14, resource_names(path, 14)[0])
    ids = [struct.unpack_from("<H", group, 18 + 14 * i)[0] for i in range(group[4])]
    return [resource(path, 3, image) for image in ids]


def ico_images(data):
    entries = [struct.unpack_from("<II", data, 14 + 16 * i) for i in range(data[4])]
    return [data[offset:offset + size] for size, offset in entries]


def check_program(path, machine):
    check(pe_machine(Path(path).read_bytes()) == machine, f"{path}: not for machine {machine:#x}")
    check_version(path, DESCRIPTIONS[os.path.basename(path)])
    # One manifest, ours: a toolchain's default manifest would bring requestedExecutionLevel.
    check(resource_names(path, 24) == ["1"], f"{path}: not exactly one manifest, id 1")
    manifest = resource(path, 24)
    check(b"requestedExecutionLevel" not in manifest, f"{path}: requests an execution level")
    if path.endswith(".dll"):
        check(b">true/pm</dpiAware>" in manifest and b">PerMonitorV2," in manifest,
              f"{path}: not DPI aware per monitor:\n{manifest.decode()}")
    else:
        check(icon_group_images(path) == ico_images(Path(PROGRAM_ICON).read_bytes()),
              f"{path}: its first icon is not the program icon")


def check_package(base, dist, machine):
    setup, archive = base + "-setup.exe", base + ".zip"
    programs = {name: Path(dist, name).read_bytes() for name in DESCRIPTIONS}
    data = Path(setup).read_bytes()
    check(pe_machine(data) == machine and b"NullsoftInst" in data,
          f"{setup}: not an NSIS installer for machine {machine:#x}")
    check_version(setup, "Orvanne installer")
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
    for name in DESCRIPTIONS:
        check_program(os.path.join(dist, name), machine)
    base = os.path.join(PACKAGES, f"Orvanne-{VERSION}-{tag}")
    check(os.path.exists(base + "-setup.exe") and os.path.exists(base + ".zip"),
          f"{base}-setup.exe or .zip missing: cmake --build build --target package")
    check_package(base, dist, machine)
