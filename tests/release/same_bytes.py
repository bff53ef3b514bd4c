"""The packages built again from a copy of the source in another folder hold the same bytes,
and SHA256SUMS vouches for every package. Then that build signs with a throwaway certificate:
every program, installer and uninstaller verifies, and a copy with one byte changed does not.
Usage: same_bytes.py SOURCE-DIR FIRST-BUILD-DIR WORK-DIR VERSION"""

import os
import subprocess
import sys
import time
from pathlib import Path

SOURCE, FIRST, WORK = map(Path, sys.argv[1:4])
COPY, BUILD = WORK / "src", WORK / "build"
PACKAGES = [f"Orvanne-{sys.argv[4]}-{tag}{kind}" for tag in ("win32", "win64")
            for kind in ("-setup.exe", ".zip")]


def check(condition, message):
    if not condition:
        sys.exit(f"FAILED: {message}")


def run(*command, **kw):
    return subprocess.run(command, check=True, stdout=subprocess.PIPE, **kw).stdout.decode()


def build_packages(*options):
    # The copy has no history: the first build dated its archives by the last commit.
    env = dict(os.environ, SOURCE_DATE_EPOCH=run("git", "-C", SOURCE, "log", "-1",
                                                 "--format=%ct").strip())
    run("cmake", "-S", COPY, "-B", BUILD, "-DCMAKE_BUILD_TYPE=RelWithDebInfo", *options, env=env)
    run("cmake", "--build", BUILD, "--target", "package", "-j2", env=env)


def check_checksums(folder):
    listed = sorted(line.rsplit(":", 1)[0] for line in
                    run("sha256sum", "-c", "SHA256SUMS", cwd=folder).splitlines())
    files = sorted(p.name for p in folder.iterdir() if p.name != "SHA256SUMS")
    check(listed == files, f"SHA256SUMS in {folder} covers {listed}, not {files}")


def signature_holds(path):
    return subprocess.run(["osslsigncode", "verify", "-CAfile", WORK / "cert.pem", "-in", path],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0


start = time.time()
# Packages made before the last commit carry an older date: both builds are of this commit.
run("cmake", "--build", FIRST, "--target", "package")
# -u with -p: a second run copies, and so rebuilds, only what changed.
files = run("git", "-C", SOURCE, "ls-files", "-z", "--cached", "--others", "--exclude-standard")
COPY.mkdir(parents=True, exist_ok=True)
run("xargs", "-0", "cp", "-pu", "--parents", "-t", COPY, input=files.encode(), cwd=SOURCE)
build_packages("-DORVANNE_SIGN_CERT=", "-DORVANNE_SIGN_KEY=")
print(f"second build: {time.time() - start:.0f} s")
for folder in (FIRST / "packages", BUILD / "packages"):
    check_checksums(folder)
differ = [n for n in PACKAGES
          if (FIRST / "packages" / n).read_bytes() != (BUILD / "packages" / n).read_bytes()]
check(not differ, f"built a second time, these differ: {differ}")

run("openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
    "/CN=Orvanne test", "-keyout", WORK / "key.pem", "-out", WORK / "cert.pem",
    stderr=subprocess.DEVNULL)
build_packages(f"-DORVANNE_SIGN_CERT={WORK / 'cert.pem'}", f"-DORVANNE_SIGN_KEY={WORK / 'key.pem'}")
signed = WORK / "signed"
run("rm", "-rf", signed)
for name in PACKAGES:
    # What ships: the archives' programs, the installers, and all an installer unpacks.
    run("7zz", "x", "-y", f"-o{signed / name}", BUILD / "packages" / name)
files = [p for p in signed.glob("*/*") if p.suffix in (".scr", ".dll", ".exe")]
files += [BUILD / "packages" / n for n in PACKAGES[::2]]
check(len(files) == 12, f"expected 12 signed files, found {files}")
for path in files:
    check(signature_holds(path), f"{path}: signature does not verify")
    data = bytearray(path.read_bytes())
    data[len(data) // 2] ^= 1
    (WORK / "changed").write_bytes(data)
    check(not signature_holds(WORK / "changed"), f"{path}: a changed byte still verifies")
print(f"{len(files)} signed files verified; all done in {time.time() - start:.0f} s")
