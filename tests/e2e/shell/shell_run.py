"""The shell's run, its refusals and messages, and its settings file, with a stand-in renderer."""

import os
import pathlib
import subprocess

import harness
from harness import check
import saver

NOT_FOUND = "Orvanne.dllが同じﾌｫﾙﾀﾞに見つかりません！"
BOX_TITLE = "Orvanne (ScreenSaver)"


def run_mode(s, folder):
    # The stand-in shows its window 1.5 s late: the run must wait for it.
    log = os.path.join(s.dir, "renderer.log")
    p = saver.run(s, folder, "/s", env={"STANDIN_LOG": log, "STANDIN_DELAY_MS": "1500"})
    s.wait_window("Vellis_VC", 10)
    info = s.window_info("Vellis_Main")
    check(info and info["visible"] == "0", f"the run form is missing or visible: {info}")
    started = dict(line.split("=", 1) for line in pathlib.Path(log).read_text().splitlines())
    want = {"cmdline": f'"{saver.windows_path(folder)}\\Orvanne.dll"', "show": "1"}
    check(started == want, f"renderer started as {started}, expected {want}")

    # A second copy ends at once, whatever it is asked, and starts no renderer.
    never = {"STANDIN_LOG": os.path.join(s.dir, "never.log")}
    for args in (["/s"], ["/c"], ["/p", "65538"], []):
        saver.ended(saver.run(s, folder, *args, env=never), f"second copy {args}", most=5)
    s.wintool("close", "Vellis_VC")
    saver.ended(p, "renderer window closed")

    # With no renderer's window the run ends, after 10 s if none shows; /a ends silently.
    for what, where, arg, env, least, most in (
            ("renderer ended without a window", folder, "/s", {"STANDIN_MODE": "exit"}, 0, 5),
            ("renderer never showed a window", folder, "/s",
             {"STANDIN_MODE": "exit", "STANDIN_DELAY_MS": "20000"}, 9.5, 13),
            ("renderer not a program", saver.install(s, "bad", b"not a program"), "/s", {}, 0, 5),
            ("/a", folder, "/a", never, 0, 5)):
        saver.ended(saver.run(s, where, arg, env=env), what, least, most)
    check(not os.path.exists(never["STANDIN_LOG"]), "a second copy or /a started a renderer")

    # Log-off ends the shell at once; the renderer is left to end itself.
    p = saver.run(s, folder)
    s.wait_window("Vellis_VC", 10)
    s.wintool("endsession", "Vellis_Main")
    saver.ended(p, "log-off")
    check(s.window_info("Vellis_VC"), "the shell ended the renderer at log-off")


def not_found(s):
    missing = saver.install(s, "missing", b"")
    for arg, env in (("/c", None), ("/a", None), ("/s", saver.japanese())):
        p = saver.run(s, missing, arg, env=env)
        check(s.wintool("wait", BOX_TITLE, 10)[0] == 0, f"{arg}: no box titled '{BOX_TITLE}'")
        texts = [(c["class"].lower() == "button", c["text"]) for c in s.children(BOX_TITLE)]
        check((False, NOT_FOUND) in texts and [t for button, t in texts if button] == ["OK"] and
              p.poll() is None, f"{arg}: the box holds {texts}; still running: {p.poll() is None}")
        s.wintool("close", BOX_TITLE)
        s.wait_exit(p, 10)
    # A preview request shows no message, which would keep it running.
    saver.ended(saver.run(s, missing, "/p", "0"), "/p without a renderer", most=5)


def settings_file(s, folder):
    # The music file's code page 932 name is found under either ANSI code page; a folder is none.
    music = saver.windows_path(os.path.join(folder, "音楽.wav"))
    os.mkdir(os.path.join(folder, "folder.wav"))
    for acp, env in (("1252", {}), ("932", saver.japanese())):
        # Wine maps non-ASCII Unix file names by the locale, so the file is made inside.
        check(s.wintool("record", music, env=env)[0] == 0, f"{acp}: no music file made")
        for path, kind in ((music, 2), (saver.windows_path(folder) + "\\folder.wav", 0)):
            saver.write_ini(folder, saver.ini_bytes(2, 0, path))
            got = s.wintool("load", saver.windows_path(folder) + "\\Orvanne.ini", env=env)[1]
            want = f"kind={kind} repeat=0 file={path.encode('cp932').hex() if kind else ''}"
            check(got == f"acp={acp} {want}", f"{acp}: read {got}, expected {want}")


def full_disk(s):
    # The first save makes the file; the disk full then, a longer one fails intact, a shorter fits.
    full = pathlib.Path(s.dir, "full")
    full.mkdir()
    # Mounting needs root and a machine that lets it: elsewhere the check is skipped, loudly.
    if subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", full]).returncode:
        print("full disk: SKIPPED, no tmpfs could be mounted; saves in place went unchecked")
        return
    try:
        ini = full / "Orvanne.ini"
        # A file of one 4096-byte page: a byte more needs a page the full disk lacks.
        long = "C:\\" + "a" * (4096 - len(saver.ini_bytes(2, 3, "C:\\.mp3"))) + ".mp3"
        for path, wanted, kept in ((long, 0, long), (long + "!", 1, long), ("C:\\b", 0, "C:\\b")):
            code, _ = s.wintool("write", saver.windows_path(str(ini)), 2, 3, path)
            got = ini.read_bytes() if ini.exists() else b""
            others = set(os.listdir(full)) - {"Orvanne.ini", "filler"}
            check(code == wanted and got == saver.ini_bytes(2, 3, kept) and not others,
                  f"full disk, {path[-6:]}: returned {code}, wrote {got[-30:]}, left {others}")
            subprocess.run(["dd", "if=/dev/zero", f"of={full}/filler", "bs=4k"],
                           stderr=subprocess.DEVNULL)
    finally:
        subprocess.run(["umount", full])


def main():
    with harness.Session() as s:
        folder = saver.install(s, "saver")
        run_mode(s, folder)
        not_found(s)
        settings_file(s, folder)
        full_disk(s)


if __name__ == "__main__":
    main()
