"""What `--target package` leaves in build/packages: both installers and both archives hold
the programs of their own build, and every program and installer carries its version
resource; each program has exactly its own manifest. No Wine needed."""

import os
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zipfile

SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.path.join(SOURCE_DIR, "build")
PACKAGES = os.environ.get("ORVANNE_PACKAGES", os.path.join(BUILD, "packages"))
VERSION = os.environ["ORVANNE_VERSION"]
BUILDS = {  # package tag: (folder of that build's programs, PE machine)
    "win32": (os.environ.get("ORVANNE_RELEASE_DIST", f"{BUILD}/windows-i686/dist"), 0x14C),
    "win64": (os.environ.get("ORVANNE_TEST_DIST", f"{BUILD}/windows-x86_64/dist"), 0x8664),
}
PROGRAM_ICON = os.path.join(SOURCE_DIR, "assets/dialog/vellis_p.ico")
DESCRIPTIONS = {"Orvanne.scr": "Orvanne screen saver", "Orvanne.dll": "Orvanne renderer"}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def read(path):
    with open(path, "rb") as f:
        return f.read()


def pe_machine(data):
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    if data[offset:offset + 4] != b"PE\0\0":
        return None
    return struct.unpack_from("<H", data, offset + 4)[0]


def resource(path, kind, name=None):
    args = ["wrestool", "-x", "--raw", f"--type={kind}"] + ([f"--name={name}"] if name else [])
    return subprocess.run(args + [path], stdout=subprocess.PIPE, check=True).stdout


def resource_names(path, kind):
    out = subprocess.run(["wrestool", "-l", f"--type={kind}", path], stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL).stdout.decode()
    return [token.split("=", 1)[1] for line in out.splitlines() for token in line.split()
            if token.startswith("--name=")]


def version_info(data):
    """(fixed file version as 4 numbers, {key: value} of the strings) of a VS_VERSIONINFO."""
    fixed = data.find(struct.pack("<I", 0xFEEF04BD))
    check(fixed > 0, "version resource has no VS_FIXEDFILEINFO")
    ms, ls = struct.unpack_from("<II", data, fixed + 8)
    strings = {}
    for key in ("ProductName", "FileDescription", "FileVersion", "ProductVersion", "CompanyName",
                "LegalCopyright"):
        # Key, its NUL, padding to 4 bytes, then the value up to its NUL.
        at = data.find((key + "\0").encode("utf-16-le"))
        if at > 0:
            value = (at + 2 * len(key) + 2 + 3) & ~3
            end = next(i for i in range(value, len(data), 2) if data[i:i + 2] == b"\0\0")
            strings[key] = data[value:end].decode("utf-16-le")
    return (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF), strings


def check_version(path, description):
    fixed, strings = version_info(resource(path, 16))
    expected = tuple(int(n) for n in VERSION.split(".")) + (0,)
    label = os.path.relpath(path, BUILD)
    check(fixed == expected, f"{label}: fixed file version {fixed}, expected {expected}")
    for key, want in [("ProductName", "Orvanne"), ("FileDescription", description),
                      ("FileVersion", VERSION), ("ProductVersion", VERSION)]:
        check(strings.get(key) == want, f"{label}: {key} {strings.get(key)!r}, expected {want!r}")
    for key in ("CompanyName", "LegalCopyright"):
        check(strings.get(key), f"{label}: no {key}")


def local(tag):
    return tag.rsplit("}", 1)[-1]


def check_program(path, machine):
    label = os.path.relpath(path, BUILD)
    found = pe_machine(read(path))
    check(found == machine, f"{label}: machine {found}, expected {machine:#x}")
    check_version(path, DESCRIPTIONS[os.path.basename(path)])
    # One manifest, ours: a toolchain's default manifest would bring requestedExecutionLevel.
    names = resource_names(path, 24)
    if not check(names == ["1"], f"{label}: manifests {names}, expected exactly one, id 1"):
        return
    manifest = ET.fromstring(resource(path, 24))
    elements = {local(e.tag): (e.text or "").strip() for e in manifest.iter()}
    check("requestedExecutionLevel" not in elements and "trustInfo" not in elements,
          f"{label}: manifest requests an execution level")
    if path.endswith(".dll"):
        check(elements.get("dpiAware") == "true/pm",
              f"{label}: dpiAware {elements.get('dpiAware')!r}")
        awareness = [a.strip() for a in elements.get("dpiAwareness", "").split(",")]
        check(awareness[0] == "PerMonitorV2", f"{label}: dpiAwareness {awareness}")
    else:
        # The first icon is the one Explorer and the control panel show for the saver.
        icons = resource_names(path, 14)
        check(icons and icon_images(path, icons[0]) == ico_images(PROGRAM_ICON),
              f"{label}: first icon ({icons[:1]}) is not the program icon")


def icon_images(path, group):
    """The images of an icon group resource, in its order."""
    data = resource(path, 14, group)
    count = struct.unpack_from("<H", data, 4)[0]
    ids = [struct.unpack_from("<H", data, 6 + 14 * i + 12)[0] for i in range(count)]
    return [resource(path, 3, image) for image in ids]


def ico_images(path):
    data = read(path)
    count = struct.unpack_from("<H", data, 4)[0]
    entries = [struct.unpack_from("<II", data, 6 + 16 * i + 8) for i in range(count)]
    return [data[offset:offset + size] for size, offset in entries]


def check_package(tag, dist, machine):
    base = os.path.join(PACKAGES, f"Orvanne-{VERSION}-{tag}")
    programs = {name: read(os.path.join(dist, name)) for name in DESCRIPTIONS}

    setup, archive = base + "-setup.exe", base + ".zip"
    if not check(os.path.exists(setup) and os.path.exists(archive),
                 f"{base}-setup.exe or .zip missing: cmake --build build --target package"):
        return
    label = os.path.relpath(setup, BUILD)
    data = read(setup)
    check(pe_machine(data) == machine and b"NullsoftInst" in data,
          f"{label}: not an NSIS installer for machine {machine:#x}")
    check_version(setup, "Orvanne installer")
    levels = [e.get("level") for e in ET.fromstring(resource(setup, 24)).iter()
              if local(e.tag) == "requestedExecutionLevel"]
    check(levels == ["asInvoker"], f"{label}: requests {levels}, expected to run as the user")
    with tempfile.TemporaryDirectory() as out:
        subprocess.run(["7zz", "x", "-y", f"-o{out}", setup], stdout=subprocess.DEVNULL, check=True)
        for name, content in programs.items():
            path = os.path.join(out, name)
            check(os.path.exists(path) and read(path) == content,
                  f"{label}: {name} is not the one of {dist}")

    label = os.path.relpath(archive, BUILD)
    with zipfile.ZipFile(archive) as z:
        names = sorted(z.namelist())
        check(names == ["LICENSE.txt", "Orvanne.dll", "Orvanne.scr", "README.txt"],
              f"{label} holds {names}")
        for name, content in programs.items():
            check(name in names and z.read(name) == content,
                  f"{label}: {name} is not the one of {dist}")
        licence = read(os.path.join(SOURCE_DIR, "LICENSE")).replace(b"\n", b"\r\n")
        check("LICENSE.txt" in names and z.read("LICENSE.txt") == licence,
              f"{label}: LICENSE.txt is not the licence with Windows line ends")
        readme = z.read("README.txt") if "README.txt" in names else b""
        check(readme.startswith(f"Orvanne {VERSION}\r\n".encode()) and
              b"\n" not in readme.replace(b"\r\n", b""),
              f"{label}: README.txt does not name the version or has Unix line ends")


for tag, (dist, machine) in BUILDS.items():
    for name in DESCRIPTIONS:
        check_program(os.path.join(dist, name), machine)
    check_package(tag, dist, machine)
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
