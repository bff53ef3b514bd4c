"""The settings file under the default locale (code page 1252) and Japanese (932):
the same bytes on disk and the same values read, interchange with the platform's
private-profile calls, bad files read by their rules, the saver running with them, and a
save into a full disk."""

import os
import subprocess

import harness
from harness import check
import saver

LOCALES = {"default": {}, "ja": saver.japanese()}
JAPANESE_MUSIC = "音楽.wav"


def probe(s, env, *args):
    code, out = s.wintool(*args, env=env)
    return code, out.strip()


def load(s, env, ini):
    return saver.load(s, ini, env)


def full_disk(s):
    """On a full disk (a small tmpfs, which needs root to mount) a save that needs one more
    byte fails and changes nothing; one that fits the old file's room is written whole in
    place, as the folder takes no new file."""
    full = os.path.join(s.dir, "full")
    os.mkdir(full)
    if subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", full],
                      stderr=subprocess.DEVNULL).returncode != 0:
        print("full disk: skipped, no tmpfs could be mounted")
        return
    try:
        keys = saver.ini_bytes(1, 3, b"C:\\a.mp3")
        comment = b";" + b"-" * (4096 - len(keys) - 3) + b"\r\n"
        saver.write_ini(full, keys + comment)
        with open(os.path.join(full, "filler"), "wb", buffering=0) as f:
            try:
                while True:
                    f.write(b"f" * 4096)
            except OSError:
                pass
        ini = saver.windows_path(os.path.join(full, "Orvanne.ini"))
        fits = saver.ini_bytes(2, 3, b"C:\\b.mp") + comment
        for music, want_code, want in ((b"C:\\b.mp3!", 1, keys + comment),
                                       (b"C:\\b.mp", 0, fits)):
            code, _ = probe(s, {}, "write", ini, "2", "3", music.hex())
            with open(os.path.join(full, "Orvanne.ini"), "rb") as f:
                got = f.read()
            check(code == want_code, f"full disk, {music!r}: the save returned {code}")
            check(got == want, f"full disk, {music!r}: the file holds {len(got)} bytes "
                  f"{got[:80]!r}..., expected {len(want)} bytes")
            names = sorted(os.listdir(full))
            check(names == ["Orvanne.ini", "filler"], f"full disk: the folder holds {names}")
        print("full disk: a save that did not fit failed whole, one that fit was written whole")
    finally:
        subprocess.run(["umount", full])


def main():
    with harness.Session() as s:
        folder = saver.install(s, "saver")
        ini = os.path.join(folder, "Orvanne.ini")
        music_path = saver.windows_path(os.path.join(folder, JAPANESE_MUSIC)).encode("cp932")
        os.mkdir(os.path.join(folder, "folder.wav"))
        unreadable = saver.windows_path(os.path.join(folder, "folder.wav")).encode("cp932")

        written = {}
        for name, env in LOCALES.items():
            code, acp = probe(s, env, "acp")
            check(acp == ("932" if name == "ja" else "1252"), f"{name}: code page {acp}")
            # Wine maps non-ASCII Unix file names by the locale, so the file is made inside.
            code, _ = probe(s, env, "touch", music_path.hex())
            check(code == 0, f"{name}: could not create the music file")

            # Our writer: the dialog's file, byte for byte.
            if os.path.exists(ini):
                os.remove(ini)
            code, _ = probe(s, env, "write", saver.windows_path(ini), "2", "0", music_path.hex())
            check(code == 0, f"{name}: writing the settings failed")
            with open(ini, "rb") as f:
                written[name] = f.read()
            expected = saver.ini_bytes(2, 0, music_path)
            check(written[name] == expected,
                  f"{name}: file bytes {written[name]!r}, expected {expected!r}")
            check(load(s, env, ini) == (2, 0, music_path), f"{name}: values read back differ")

            # The platform's reader reads our file.
            for key, value in ((saver.KEY_KIND, b"2"), (saver.KEY_REPEAT, b"0"),
                               (saver.KEY_FILE, music_path)):
                _, out = probe(s, env, "native-read", saver.windows_path(ini), key.hex())
                check(bytes.fromhex(out) == value,
                      f"{name}: platform read {key!r} as {bytes.fromhex(out)!r}, expected {value!r}")

            # Ours reads the platform's file.
            os.remove(ini)
            for key, value in ((saver.KEY_KIND, b"1"), (saver.KEY_REPEAT, b"12"),
                               (saver.KEY_FILE, music_path)):
                code, _ = probe(s, env, "native-write", saver.windows_path(ini), key.hex(),
                                value.hex())
                check(code == 0, f"{name}: the platform's writer failed on {key!r}")
            got = load(s, env, ini)
            check(got == (1, 12, music_path), f"{name}: platform's file read as {got}")

            # Files that only the platform's side can get wrong (number rules and garbage
            # are the unit tests' part): no file, a long read, a music file that is missing
            # or no file at all.
            cases = [
                ("missing", None, (0, 0, b"")),
                ("long lines", b"[Section]\r\n" + b"x" * 300000 + b"\r\n" + saver.KEY_KIND +
                 b"=" + b"7" * 5000 + b"\r\n" + saver.KEY_FILE + b"=" + b"y" * 1000 + b"\r\n",
                 (0, 0, b"")),
                ("music missing", saver.ini_bytes(2, 0, b"C:\\nowhere\\a.mp3"), (0, 0, b"")),
                ("music unreadable", saver.ini_bytes(2, 0, unreadable), (0, 0, b"")),
                ("CD, music missing", saver.ini_bytes(1, 4, b"C:\\nowhere\\a.mp3"), (1, 4, b"")),
            ]
            for label, data, want in cases:
                if data is None:
                    os.remove(ini) if os.path.exists(ini) else None
                else:
                    saver.write_ini(folder, data)
                got = load(s, env, ini)
                check(got == want, f"{name}, {label}: read {got}, expected {want}")
            print(f"{name}: bytes, interchange and {len(cases)} bad files as expected")

        check(written["default"] == written["ja"], "the file's bytes depend on the code page")
        full_disk(s)

        # The saver still runs with bad files.
        for label, data in (("garbage", bytes(range(256)) * 40),
                            ("long lines", b"[Section]\r\n" + b"=" * 200000 + b"\r\n"),
                            ("music unreadable", saver.ini_bytes(2, 0, unreadable)),
                            ("kind 2.7, music missing", saver.ini_bytes("2.7", 0, b"C:\\x.wav"))):
            saver.write_ini(folder, data)
            p = saver.run(s, folder, "/s", env=LOCALES["ja"])
            s.wait_window("Vellis_VC", 10)
            s.wintool("close", "Vellis_VC")
            saver.seconds_to_exit(s, p, 5)
        print("the saver ran with each bad settings file")


if __name__ == "__main__":
    main()
