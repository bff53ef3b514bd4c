"""The saver shell with a stand-in renderer: the run form, the second-copy refusal, every
way the renderer can end or fail; the not-found message; the settings file under code pages
1252 and 932, written in place."""

import os
import pathlib

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
    check(p.poll() is None, "the shell ended before the renderer's window went")
    info = s.window_info("Vellis_Main")
    check(info and info["visible"] == "0", f"the run form is missing or visible: {info}")
    started = dict(line.split("=", 1) for line in pathlib.Path(log).read_text().splitlines())
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
    # window after the 10 s limit, and a file that is no program at once and silently; a
    # request the shell does not serve ends silently, after the renderer check.
    bad = saver.install(s, "notaprogram", renderer=b"this is not a program\r\n")
    unserved_log = os.path.join(s.dir, "unserved.log")
    for what, where, arg, env, least, most in (
            ("renderer ended without a window", folder, "/s", {"STANDIN_MODE": "exit"}, 0, 5),
            ("renderer never showed a window", folder, "/s",
             {"STANDIN_MODE": "exit", "STANDIN_DELAY_MS": "20000"}, 9.5, 13),
            ("renderer not a program", bad, "/s", {}, 0, 5),
            ("/a", folder, "/a", {"STANDIN_LOG": unserved_log}, 0, 5)):
        saver.ended(saver.run(s, where, arg, env=env), what, least, most)
    check(not os.path.exists(unserved_log), "/a started a renderer")


def not_found(s):
    missing = saver.install(s, "missing", renderer="missing")
    for args, env in ((["/s"], None), (["/c"], None), (["/a"], None),
                      (["/s"], saver.japanese())):
        label = " ".join(args) + (" in code page 932" if env else "")
        p = saver.run(s, missing, *args, env=env)
        check(s.wintool("wait", BOX_TITLE, 10)[0] == 0, f"{label}: no box titled '{BOX_TITLE}'")
        if env:
            s.screenshot("not_found")
        texts = [(c["class"].lower() == "button", c["text"]) for c in s.children(BOX_TITLE)]
        check((False, NOT_FOUND) in texts and [t for button, t in texts if button] == ["OK"],
              f"{label}: the box holds {texts}")
        check(p.poll() is None, f"{label}: program ended before the box was dismissed")
        s.wintool("close", BOX_TITLE)
        s.wait_exit(p, 10)
    # A preview request shows no message: the box would keep it running past the limit.
    saver.ended(saver.run(s, missing, "/p", "0"), "/p without a renderer", most=5)


def settings_file(s, folder):
    ini = os.path.join(folder, "Orvanne.ini")
    win_ini = saver.windows_path(ini)
    music = saver.windows_path(os.path.join(folder, "音楽.wav"))
    os.mkdir(os.path.join(folder, "folder.wav"))
    unreadable = saver.windows_path(os.path.join(folder, "folder.wav"))
    for acp, env in (("1252", {}), ("932", saver.japanese())):
        # Wine maps non-ASCII Unix file names by the locale, so the file is made inside.
        check(s.wintool("record", music, env=env)[0] == 0, f"{acp}: no music file made")
        # Ours writes the dialog's file byte for byte and reads it back; a folder as music
        # and a missing file, which only the platform's side can get wrong, read as nothing.
        pathlib.Path(ini).unlink(missing_ok=True)
        code, _ = s.wintool("write", win_ini, 2, 0, music.encode("cp932").hex(), env=env)
        got = pathlib.Path(ini).read_bytes()
        check(code == 0 and got == saver.ini_bytes(2, 0, music), f"{acp}: wrote {code}, {got}")
        for label, data, kind, file in (("written", None, 2, music),
                                        ("music unreadable", saver.ini_bytes(2, 0, unreadable),
                                         0, ""),
                                        ("missing", b"", 0, "")):
            if data == b"":
                os.remove(ini)
            elif data:
                saver.write_ini(folder, data)
            got = s.wintool("load", win_ini, env=env)[1].strip()
            want = f"kind={kind} repeat=0 file={file.encode('cp932').hex()} acp={acp}"
            check(got == want, f"{acp}, {label}: read {got}, expected {want}")

    # With every name for a new file beside it taken, a save is written over the old file,
    # grown or cut to the new text, and nothing else.
    for n in range(100):
        open(f"{ini}.{n}.new", "w").close()
    saver.write_ini(folder, b"; mine\r\n" + saver.ini_bytes(1, 3, b"C:\\a.mp3"))
    names = sorted(os.listdir(folder))
    for path in (b"C:\\longer.mp3", b"C:\\b"):
        code, _ = s.wintool("write", win_ini, 2, 3, path.hex())
        got = pathlib.Path(ini).read_bytes()
        check(code == 0 and got == b"; mine\r\n" + saver.ini_bytes(2, 3, path) and
              sorted(os.listdir(folder)) == names,
              f"in place, {path!r}: the save returned {code}, the file holds {got!r}, files "
              f"came or went: {set(os.listdir(folder)) ^ set(names)}")


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
