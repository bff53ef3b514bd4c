"""Choosing and saving in the settings dialog: marks and labels under each mouse button, the
repeat box's text read at the save, the exact bytes Cmd_Set writes, the close box and
Cmd_Can writing nothing, and the file picker, with paths code page 932 cannot hold under
both code pages."""

import os
import shutil
import time

import harness
from harness import check
import dialog_driver as d
import saver

UNSTORABLE_CAPTION = "BGMﾌｧｲﾙ"
UNSTORABLE_TEXT = ("このﾌｧｲﾙのﾊﾟｽは保存できません。\n"
                   "ﾊﾟｽに保存できない文字が含まれているか、ﾊﾟｽが長すぎます。")


def save(s, p, folder, label, kind, repeat, music):
    d.click(s, "Cmd_Set")
    d.wait_closed(s, p, label)
    want = saver.ini_bytes(kind, repeat, music)
    check(d.ini(folder) == want, f"{label}: the file holds {d.ini(folder)!r}, expected {want!r}")


def shown_file(s):
    return d.controls(s)["lbl_Fname"]["text"]


def pick(s, typed):
    """Types a path into the picker and takes it with Enter. xdotool types characters outside
    the keyboard map by remapping a key, which can race: typed again until the field holds it."""
    d.click(s, "Cmd_BGM")
    check(d.picker_open(s, 5), "Cmd_BGM opened no picker")
    time.sleep(0.5)
    for _ in range(3):
        s.x("xdotool", "type", "--delay", "30", typed, check_rc=True)
        time.sleep(0.3)
        if any(c["text"] == typed for c in s.children(d.PICKER)):
            break
        s.key("End", "shift+Home")
    else:
        check(False, f"the picker's field never held {typed!r}")
    s.key("Return")
    check(d.picker_gone(s, 5), f"the picker did not take {typed!r}")
    time.sleep(0.3)


def music_without_cp932(s, folder, music):
    """Under both code pages: a file whose path code page 932 lacks is stored by its short
    (8.3) form; a path with no short form (typed, no such file) is refused with a box in the
    dialog's language and the earlier choice stays."""
    os.makedirs(os.path.join(folder, "Música"), exist_ok=True)
    song = os.path.join(folder, "Música", "canción.wav")
    shutil.copy(os.path.join(folder, "Orvanne.dll"), song)
    saver.link_japanese_font(s)
    for name, env in (("default", {}), ("ja", saver.japanese())):
        saver.write_ini(folder, saver.ini_bytes(2, 0, music))
        p = d.open_dialog(s, folder, env)
        pick(s, saver.windows_path(song))
        stored = shown_file(s)
        check(stored.isascii() and "~" in stored,
              f"{name}: lbl_Fname shows {stored!r} for {song!r}, expected its short form")
        pick(s, "C:\\music\\€uro.mp3")
        check(s.wintool("wait", UNSTORABLE_CAPTION, 5)[0] == 0,
              f"{name}: no box for a path without a code page 932 or short form")
        _, out = s.wintool("children", UNSTORABLE_CAPTION)
        check(UNSTORABLE_TEXT in out, f"{name}: the box says {out!r}")
        s.key("Return")
        check(s.wintool("gone", UNSTORABLE_CAPTION, 5)[0] == 0, f"{name}: Enter left the box")
        check(shown_file(s) == stored, f"{name}: the refused path changed lbl_Fname")
        save(s, p, folder, f"{name}, short path", 2, 0, stored.encode("ascii"))


def main():
    with harness.Session() as s:
        folder = saver.install(s, "saver")
        music = saver.windows_path(os.path.join(folder, "Orvanne.dll")).encode("cp932")
        saver.write_ini(folder, saver.ini_bytes(0, 0, music))

        # Every mouse button chooses, on marks and labels alike; "3.5" is saved as 4.
        p = d.open_dialog(s, folder)
        for name, button, kind in (("Img_BGM1", 3, 1), ("lbl_BGM2", 2, 2), ("lbl_BGM1", 1, 1)):
            d.click(s, name, button)
            repeat = d.controls(s)["BGM_Repeat"]["enabled"] == "1"
            check(d.marks(s, f"{name}_{button}") == d.only_mark(kind) and repeat == (kind == 1),
                  f"button {button} on {name}: not kind {kind} alone marked and usable")
        d.type_into_repeat_box(s, "3.5")
        save(s, p, folder, "clicks and 3.5", 1, 4, music)

        # Changes (kind 0 stored as 1), then the close box, or Cmd_Can where there was no
        # file: nothing written.
        for way in ("close box", "Cmd_Can"):
            if way == "Cmd_Can":
                os.remove(os.path.join(folder, "Orvanne.ini"))
            before = d.ini(folder)
            p = d.open_dialog(s, folder)
            d.click(s, "lbl_BGM1")
            d.type_into_repeat_box(s, "17")
            d.click(s, "Img_BGM0")
            if way == "Cmd_Can":
                d.click(s, "Cmd_Can")
            else:
                left, top, right, bottom = d.window(s)["rect"]
                d.click_at(s, right - 14, top + 11)
            d.wait_closed(s, p, way)
            check(d.ini(folder) == before, f"{way} after changes left {d.ini(folder)!r}")

        # A typed path of a missing file is taken and shown as typed; a cancelled picker
        # keeps it; kind 0 still saves it, and the disabled repeat box its text.
        typed = "C:\\music\\not there.mp3"
        saver.write_ini(folder, saver.ini_bytes(2, 6, music))
        p = d.open_dialog(s, folder)
        check(shown_file(s) == music.decode("cp932"), f"lbl_Fname shows {shown_file(s)!r}")
        pick(s, typed)
        check(shown_file(s) == typed, f"lbl_Fname shows {shown_file(s)!r}, expected {typed!r}")
        d.click(s, "Cmd_BGM")
        check(d.picker_open(s, 5), "Cmd_BGM opened no picker the second time")
        time.sleep(0.5)
        s.key("Escape")
        check(d.picker_gone(s, 5) and shown_file(s) == typed,
              f"the picker cancelled with Esc: still up, or lbl_Fname shows {shown_file(s)!r}")
        d.click(s, "lbl_BGM0")
        save(s, p, folder, "typed path, cancelled picker, kind 0", 0, 6, typed)

        music_without_cp932(s, folder, music)


if __name__ == "__main__":
    main()
