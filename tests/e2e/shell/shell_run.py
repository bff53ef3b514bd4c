"""The saver shell with a stand-in renderer: the hidden run form, the second-copy refusal,
every way the renderer can end, not start or never show a window; without a renderer the
not-found message, in both code pages, and none for a preview. Then the settings file
under code pages 1252 and 932: the same bytes, files only the platform's side can get
wrong, a full disk."""

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
    check(s.wintool("wait", "Vellis_Main", 5)[0] == 0, "no window 'Vellis_Main' after /s")
    info = s.window_info("Vellis_Main")
    check(info["visible"] == "0", f"the run form is visible: {info}")
    s.wait_window("Vellis_VC", 10)
    check(p.poll() is None, "the shell ended before the renderer's window went")
    with open(log, encoding="utf-8") as f:
        started = dict(line.split("=", 1) for line in f.read().splitlines())
    want = '"' + saver.windows_path(folder) + '\\Orvanne.dll"'
    check(started["cmdline"] == want and started["show"] == "1",
          f"renderer started as {started}: expected the bare quoted path, shown normally")

    # A second copy ends at once, whatever it is asked: a message, the dialog or a preview
    # would keep it running past the limit.
    for args in (["/s"], ["/c"], ["/p", "65538"], []):
        second_log = os.path.join(s.dir, "second.log")
        saver.ended(saver.run(s, folder, *args, env={"STANDIN_LOG": second_log}),
                    f"second copy {args}", most=5)
        check(not os.path.exists(second_log), f"second copy {args} started a renderer")
    s.wintool("close", "Vellis_VC")
    saver.ended(p, "renderer window closed")

    # Log-off ends the shell at once; the renderer is left to end itself.
    p = saver.run(s, folder)
    s.wait_window("Vellis_VC", 10)
    s.wintool("endsession", "Vellis_Main")
    saver.ended(p, "log-off")
    check(s.window_info("Vellis_VC"), "the shell ended the renderer at log-off")
    s.wintool("close", "Vellis_VC")
    s.wait_window("Vellis_VC", 5, present=False)

    # A renderer that ends without a window ends the run at once, one that never shows a
    # window after the 10 s limit, and a file that is no program at once and silently.
    for what, env, least, most in (
            ("renderer ended without a window", {"STANDIN_MODE": "exit"}, 0, 5),
            ("renderer never showed a window",
             {"STANDIN_MODE": "exit", "STANDIN_DELAY_MS": "20000"}, 9.5, 13)):
        saver.ended(saver.run(s, folder, "/s", env=env), what, least, most)
    bad = saver.install(s, "notaprogram", renderer=b"this is not a program\r\n")
    saver.ended(saver.run(s, bad, "/s"), "renderer not a program", most=5)

    # A request the shell does not serve ends silently, after the renderer check.
    unserved_log = os.path.join(s.dir, "unserved.log")
    saver.ended(saver.run(s, folder, "/a", env={"STANDIN_LOG": unserved_log}), "/a", most=5)
    check(not os.path.exists(unserved_log), "/a started a renderer")


def not_found(s):
    missing = saver.install(s, "missing", renderer="missing")
    for args, env in ((["/s"], None), (["/c"], None), (["/a"], None),
                      (["/s"], saver.japanese())):
        label = " ".join(args) + (" in code page 932" if env else "")
        p = saver.run(s, missing, *args, env=env)
        code, _ = s.wintool("wait", BOX_TITLE, 10)
        check(code == 0, f"{label}: no message box titled '{BOX_TITLE}'")
        children = s.children(BOX_TITLE)
        if env:
            s.screenshot("not_found")
        texts = [c["text"] for c in children]
        buttons = [c["text"] for c in children if c["class"].lower() == "button"]
        check(NOT_FOUND in texts and buttons == ["OK"], f"{label}: the box holds {texts}")
        check(p.poll() is None, f"{label}: program ended before the box was dismissed")
        s.wintool("close", BOX_TITLE)
        s.wait_exit(p, 10)
    # A preview request shows no message: the box would keep it running past the limit.
    saver.ended(saver.run(s, missing, "/p", "0"), "/p without a renderer", most=5)


def settings_file(s, folder):
    ini = os.path.join(folder, "Orvanne.ini")
    win_ini = saver.windows_path(ini)
    music = saver.windows_path(os.path.join(folder, "音楽.wav")).encode("cp932")
    os.mkdir(os.path.join(folder, "folder.wav"))
    unreadable = saver.windows_path(os.path.join(folder, "folder.wav")).encode("cp932")
    for name, env in (("1252", {}), ("932", saver.japanese())):
        # Wine maps non-ASCII Unix file names by the locale, so the file is made inside.
        code, acp = s.wintool("touch", music.hex(), env=env)
        check(code == 0 and acp.strip() == name, f"{name}: no music file made, or code page {acp}")

        # Ours writes the dialog's file byte for byte and reads it back; a folder as music
        # and a missing file, which only the platform's side can get wrong, read as nothing.
        pathlib.Path(ini).unlink(missing_ok=True)
        code, _ = s.wintool("write", win_ini, 2, 0, music.hex(), env=env)
        got = pathlib.Path(ini).read_bytes()
        check(code == 0 and got == saver.ini_bytes(2, 0, music), f"{name}: wrote {code}, {got}")
        for label, data, want in (("written", None, f"kind=2 repeat=0 file={music.hex()}"),
                                  ("music unreadable", saver.ini_bytes(2, 0, unreadable),
                                   "kind=0 repeat=0 file="),
                                  ("missing", b"", "kind=0 repeat=0 file=")):
            if data == b"":
                os.remove(ini)
            elif data:
                saver.write_ini(folder, data)
            got = s.wintool("load", win_ini, env=env)[1].strip().lower()
            check(got == want, f"{name}, {label}: read {got}, expected {want}")
    full_disk(s)


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
        subprocess.run(["dd", "if=/dev/zero", "of=" + os.path.join(full, "filler"), "bs=4096"],
                       stderr=subprocess.DEVNULL)
        ini = os.path.join(full, "Orvanne.ini")
        fits = saver.ini_bytes(2, 3, b"C:\\b.mp") + comment
        for music, want_code, want in ((b"C:\\b.mp3!", 1, keys + comment),
                                       (b"C:\\b.mp", 0, fits)):
            code, _ = s.wintool("write", saver.windows_path(ini), 2, 3, music.hex())
            got = pathlib.Path(ini).read_bytes()
            names = sorted(os.listdir(full))
            check(code == want_code and got == want and names == ["Orvanne.ini", "filler"],
                  f"full disk, {music!r}: the save returned {code}, the folder holds {names}, "
                  f"the file {len(got)} bytes {got[:80]!r}..., expected {len(want)} bytes")
    finally:
        subprocess.run(["umount", full])


def main():
    with harness.Session() as s:
        saver.link_japanese_font(s)
        folder = saver.install(s, "saver")
        # The saver runs with a settings file that is garbage.
        saver.write_ini(folder, bytes(range(256)) * 40)
        run_mode(s, folder)
        not_found(s)
        settings_file(s, folder)


if __name__ == "__main__":
    main()
