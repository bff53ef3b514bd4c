"""Choosing and saving in the settings dialog: marks and labels under any mouse button,
the repeat box's text rounded or taken as 0, the exact bytes Cmd_Set writes, Cmd_Can and
the close box writing nothing, and the file picker driven by keys."""

import os
import time

import harness
from harness import check
import dialog_driver as d
import saver


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
        # an unstorable path or cancelling the picker later keeps it; kind 0 still saves it.
        typed = "C:\\music\\not there.mp3"
        saver.write_ini(folder, saver.ini_bytes(2, 0, music))
        p = d.open_dialog(s, folder)
        found = d.controls(s)
        check(found["lbl_Fname"]["text"] == music.decode("cp932"),
              f"lbl_Fname shows {found['lbl_Fname']['text']!r}, expected the stored path")
        d.click(s, "Cmd_BGM")
        check(d.picker_open(s, 5), "Cmd_BGM opened no picker")
        time.sleep(0.5)
        s.x("xdotool", "type", "--delay", "30", typed, check_rc=True)
        s.key("Return")
        check(d.picker_gone(s, 5), "the picker did not take the typed path")
        time.sleep(0.3)
        shown = d.controls(s)["lbl_Fname"]["text"]
        check(shown == typed, f"lbl_Fname shows {shown!r} after the picker, expected {typed!r}")
        # A path with a character code page 932 lacks cannot be stored: it counts as no choice.
        d.click(s, "Cmd_BGM")
        check(d.picker_open(s, 5), "Cmd_BGM opened no picker the second time")
        time.sleep(0.5)
        s.x("xdotool", "type", "--delay", "30", "C:\\music\\€uro.mp3", check_rc=True)
        s.key("Return")
        check(d.picker_gone(s, 5), "the picker did not take the path with the euro sign")
        time.sleep(0.3)
        shown = d.controls(s)["lbl_Fname"]["text"]
        check(shown == typed, f"a path without a code page 932 form was taken: {shown!r}")
        d.click(s, "Cmd_BGM")
        check(d.picker_open(s, 5), "Cmd_BGM opened no picker the third time")
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


if __name__ == "__main__":
    main()
