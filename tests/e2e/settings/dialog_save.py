"""Choosing and saving in the settings dialog: marks and labels under any mouse button,
the repeat box's text rounded or taken as 0, the exact bytes Cmd_Set writes, Cmd_Can and
the close box writing nothing, and the file picker driven by keys, with paths code page
932 cannot hold."""

import os
import shutil
import subprocess
import time

import harness
from harness import check
import dialog_driver as d
import saver

UNSTORABLE_CAPTION = "BGMﾌｧｲﾙ"
UNSTORABLE_TEXT = ("このﾌｧｲﾙのﾊﾟｽは保存できません。\n"
                   "ﾊﾟｽに保存できない文字が含まれているか、ﾊﾟｽが長すぎます。")


def saved_after(s, folder, label, steps):
    """Opens the dialog, runs steps, presses Cmd_Set; returns the file's bytes."""
    p = d.open_dialog(s, folder)
    steps()
    d.click(s, "Cmd_Set")
    d.wait_closed(s, p, label)
    return d.ini(folder)


def expect(folder, label, kind, repeat, music):
    got = d.ini(folder)
    want = saver.ini_bytes(kind, repeat, music)
    check(got == want, f"{label}: the file holds {got!r}, expected {want!r}")


def pick(s, typed):
    """Opens the picker with Cmd_BGM, types a path and takes it with Enter. Characters
    outside the keyboard map are typed by remapping a key, which can race with the
    program's reading of it: the field is read back and typed again until it holds typed."""
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
    (8.3) form, which reads back and opens; a path with no short form (typed, no such file)
    is refused with a box in the dialog's language and the earlier choice stays."""
    os.makedirs(os.path.join(folder, "Música"), exist_ok=True)
    song = os.path.join(folder, "Música", "canción.wav")
    shutil.copy(os.path.join(folder, "Orvanne.dll"), song)
    ini = os.path.join(folder, "Orvanne.ini")
    saver.link_japanese_font(s)
    for name, env in (("default", {}), ("ja", saver.japanese())):
        saver.write_ini(folder, saver.ini_bytes(2, 0, music))
        p = d.open_dialog(s, folder, env)
        pick(s, saver.windows_path(song))
        stored = d.controls(s)["lbl_Fname"]["text"]
        check(stored.isascii() and "~" in stored,
              f"{name}: lbl_Fname shows {stored!r} for {song!r}, expected its short form")
        pick(s, "C:\\music\\€uro.mp3")
        code, _ = s.wintool("wait", UNSTORABLE_CAPTION, 5)
        if code != 0:
            s.screenshot(f"no_unstorable_box_{name}")
        check(code == 0, f"{name}: no box for a path without a code page 932 or short form")
        s.screenshot(f"unstorable_box_{name}")
        _, out = s.wintool("children", UNSTORABLE_CAPTION)
        check(UNSTORABLE_TEXT in out, f"{name}: the box says {out!r}")
        s.key("Return")
        code, _ = s.wintool("gone", UNSTORABLE_CAPTION, 5)
        check(code == 0, f"{name}: Enter left the box open")
        shown = d.controls(s)["lbl_Fname"]["text"]
        check(shown == stored, f"{name}: the refused path changed lbl_Fname to {shown!r}")
        d.click(s, "Cmd_Set")
        d.wait_closed(s, p, f"{name}, short path")
        expect(folder, f"{name}, short path", 2, 0, stored.encode("ascii"))
        got = saver.load(s, ini, env)
        check(got == (2, 0, stored.encode("ascii")),
              f"{name}: the short path read back as {got}: the file did not open")
    print("a path without code page 932 stored by its short form in both code pages; "
          "one without a short form refused with a box")


def repeat_enabled(s):
    return d.controls(s)["BGM_Repeat"]["enabled"] == "1"


def main():
    with harness.Session() as s:
        folder = saver.install(s, "saver")
        music = saver.windows_path(os.path.join(folder, "Orvanne.dll")).encode("cp932")
        saver.write_ini(folder, saver.ini_bytes(0, 0, music))

        # Mark, left button; "3.5" rounds to the even 4; the file path stays with kind 1.
        def cd_by_mark():
            d.click(s, "Img_BGM1", 1)
            check(repeat_enabled(s), "a left click on mark 1 left the repeat box disabled")
            d.type_into_repeat_box(s, "3.5")
        saved_after(s, folder, "3.5", cd_by_mark)
        expect(folder, "mark 1 and 3.5", 1, 4, music)

        # Right button on a mark and on a label; "2.5" rounds to the even 2.
        def right_buttons():
            d.click(s, "Img_BGM0", 3)
            colours, _ = d.mark_colours(s, "right_mark0")
            check(colours[0] == d.MARK_ON and not repeat_enabled(s),
                  f"a right click on mark 0 gave marks {colours}")
            d.click(s, "lbl_BGM1", 3)
            check(repeat_enabled(s), "a right click on the CD label left the repeat box disabled")
            d.type_into_repeat_box(s, "2.5")
        saved_after(s, folder, "2.5", right_buttons)
        expect(folder, "right clicks and 2.5", 1, 2, music)

        # The middle button too; text that is no number, or beyond 16 bits, saves 0.
        for text in ("abc", "", "99999"):
            def middle_then_type():
                d.click(s, "lbl_BGM2", 2)
                colours, _ = d.mark_colours(s, "middle_label2")
                check(colours[2] == d.MARK_ON, f"a middle click on label 2 gave marks {colours}")
                d.click(s, "lbl_BGM1", 1)
                d.type_into_repeat_box(s, text)
            saved_after(s, folder, repr(text), middle_then_type)
            expect(folder, f"repeat text {text!r}", 1, 0, music)

        # Changes, then Cmd_Can or the close box: not one byte written.
        before = d.ini(folder)
        for way in ("Cmd_Can", "close box"):
            p = d.open_dialog(s, folder)
            d.click(s, "lbl_BGM2")
            d.click(s, "Img_BGM0", 3)
            d.click(s, "lbl_BGM1")
            d.type_into_repeat_box(s, "17")
            if way == "Cmd_Can":
                d.click(s, "Cmd_Can")
            else:
                d.click_close_box(s)
            d.wait_closed(s, p, way)
            check(d.ini(folder) == before, f"{way} after changes wrote {d.ini(folder)!r}")

        # Without a settings file, cancelling creates none.
        os.remove(os.path.join(folder, "Orvanne.ini"))
        p = d.open_dialog(s, folder)
        d.click(s, "Img_BGM1")
        d.click(s, "Cmd_Can")
        d.wait_closed(s, p, "Cmd_Can without a file")
        check(d.ini(folder) is None, "Cmd_Can created a settings file")

        # Kind 2 without a file writes 2 and an empty path; the repeat box keeps its text.
        saver.write_ini(folder, saver.ini_bytes(1, 6, b""))
        saved_after(s, folder, "kind 2, no file", lambda: d.click(s, "lbl_BGM2"))
        expect(folder, "kind 2 without a file", 2, 6, b"")

        # The picker: a typed path of a missing file is taken, shown and saved as typed;
        # cancelling the picker later keeps it; kind 0 still saves it.
        typed = "C:\\music\\not there.mp3"
        saver.write_ini(folder, saver.ini_bytes(2, 0, music))
        p = d.open_dialog(s, folder)
        found = d.controls(s)
        check(found["lbl_Fname"]["text"] == music.decode("cp932"),
              f"lbl_Fname shows {found['lbl_Fname']['text']!r}, expected the stored path")
        pick(s, typed)
        shown = d.controls(s)["lbl_Fname"]["text"]
        check(shown == typed, f"lbl_Fname shows {shown!r} after the picker, expected {typed!r}")
        d.click(s, "Cmd_BGM")
        check(d.picker_open(s, 5), "Cmd_BGM opened no picker the second time")
        time.sleep(0.5)
        s.key("Escape")
        check(d.picker_gone(s, 5), "Esc did not close the picker")
        time.sleep(0.3)
        shown = d.controls(s)["lbl_Fname"]["text"]
        check(shown == typed, f"cancelling the picker changed lbl_Fname to {shown!r}")
        d.click(s, "lbl_BGM0")
        d.click(s, "Cmd_Set")
        d.wait_closed(s, p, "picker")
        expect(folder, "typed path, then a cancelled picker and kind 0", 0, 0, typed)
        print("clicks, repeat texts, cancel, close box and picker saved exactly as expected")

        music_without_cp932(s, folder, music)


if __name__ == "__main__":
    main()
