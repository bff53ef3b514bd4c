"""The packages built a second time, from a copy of the source in another folder, hold the
same bytes as the first build's, and SHA256SUMS vouches for every package. Then that second
build signs with a throwaway certificate: every program, installer and uninstaller verifies,
and a copy with one byte changed does not.
Usage: same_bytes.py SOURCE-DIR FIRST-BUILD-DIR WORK-DIR VERSION"""

import os
import subprocess
import sys
import time
from pathlib import Path

SOURCE, FIRST_BUILD, WORK = map(Path, sys.argv[1:4])
FIRST = FIRST_BUILD / "packages"
VERSION = sys.argv[4]
COPY, BUILD = WORK / "src", WORK / "build"
PACKAGES = [f"Orvanne-{VERSION}-{tag}{kind}" for tag in ("win32", "win64")
            for kind in ("-setup.exe", ".zip")]


def check(condition, message):
    if not condition:
        sys.exit(f"FAILED: {message}")


def run(*command, **kw):
    return subprocess.run(command, check=True, stdout=subprocess.PIPE, **kw).stdout.decode()


def copy_source():
    """Only what changed is copied, so that a second run rebuilds only that."""
    files = run("git", "-C", SOURCE, "ls-files", "-z", "--cached", "--others",
                "--exclude-standard").split("\0")
    for name in filter(None, files):
        source, target = SOURCE / name, COPY / name
        if source.is_file() and (not target.exists() or
                                 target.read_bytes() != source.read_bytes()):
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes(source.read_bytes())
            target.chmod(source.stat().st_mode)


def build_packages(*options):
    # The copy has no history: the first build dated its archives by the last commit.
    env = dict(os.environ, SOURCE_DATE_EPOCH=run("git", "-C", SOURCE, "log", "-1", "--format=%ct")
               .strip())
    run("cmake", "-S", COPY, "-B", BUILD, "-DCMAKE_BUILD_TYPE=RelWithDebInfo", *options, env=env)
    run("cmake", "--build", BUILD, "--target", "package", "-j2", env=env)


def signature_holds(path, cert):
    return subprocess.run(["osslsigncode", "verify", "-CAfile", cert, "-in", path],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0


def check_checksums(folder):
    listed = run("sha256sum", "-c", "SHA256SUMS", cwd=folder)
    files = sorted(p.name for p in folder.iterdir() if p.name != "SHA256SUMS")
    check(sorted(line.rsplit(":", 1)[0] for line in listed.splitlines()) == files,
          f"SHA256SUMS in {folder} does not cover exactly {files}:\n{listed}")


start = time.time()
# Packages made before the last commit carry an older date: both builds are of this commit.
run("cmake", "--build", FIRST_BUILD, "--target", "package")
copy_source()
build_packages("-DORVANNE_SIGN_CERT=", "-DORVANNE_SIGN_KEY=")
print(f"second build: {time.time() - start:.0f} s")
check_checksums(FIRST)
check_checksums(BUILD / "packages")
differ = [name for name in PACKAGES
          if (FIRST / name).read_bytes() != (BUILD / "packages" / name).read_bytes()]
check(not differ, f"built a second time, these differ: {differ}")

key, cert = WORK / "key.pem", WORK / "cert.pem"
run("openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
    "/CN=Orvanne test", "-keyout", key, "-out", cert, stderr=subprocess.DEVNULL)
build_packages(f"-DORVANNE_SIGN_CERT={cert}", f"-DORVANNE_SIGN_KEY={key}")
signed = WORK / "signed"
run("rm", "-rf", signed)
for name in PACKAGES:
    # What ships: the archives' programs, the installers, and all an installer unpacks.
    run("7zz", "x", "-y", f"-o{signed / name}", BUILD / "packages" / name)
files = [p for p in signed.glob("*/*") if p.suffix in (".scr", ".dll", ".exe")] + [BUILD / "packages" / n for n in PACKAGES[::2]]
check(len(files) == 12, f"expected 12 signed files, found {files}")
for path in files:
    check(signature_holds(path, cert), f"{path}: signature does not verify")
    data = bytearray(path.read_bytes())
    data[len(data) // 2] ^= 1
    changed = WORK / "changed.bin"
    changed.write_bytes(data)
    check(not signature_holds(changed, cert), f"{path}: a changed byte still verifies")
print(f"{len(files)} signed files verified; all done in {time.time() - start:.0f} s")
