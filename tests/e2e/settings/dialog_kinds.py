"""The settings dialog as it opens: its window, the place of its controls, the mark and
the one usable dependent control for each stored kind, the repeat list, the focus order,
Enter and Esc meaning nothing, and the home page."""

import os
import subprocess
import time

import harness
from harness import check
import dialog_driver as d
import saver

WS_CAPTION, WS_SYSMENU, WS_THICKFRAME = 0x00C00000, 0x00080000, 0x00040000
WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_EX_APPWINDOW = 0x00020000, 0x00010000, 0x00040000


def check_window(s):
    w = d.window(s)
    check(w["client"] == (479, 252), f"client area {w['client']}, expected 479 x 252 pixels")
    style = w["style"]
    check(style & WS_CAPTION == WS_CAPTION and style & WS_SYSMENU,
          f"style {style:#x}: expected a caption with a close box")
    check(not style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
          f"style {style:#x}: expected a fixed frame without minimise or maximise box")
    check(int(w["owner"]) != 0 and not w["exstyle"] & WS_EX_APPWINDOW,
          f"owner {w['owner']}, exstyle {w['exstyle']:#x}: a taskbar button would show")
    left, top, right, bottom = w["rect"]
    width, height = right - left, bottom - top
    # In twips, truncated: centred across, a third of the free height down.
    want_left = round(((1280 * 15 - width * 15) // 2) / 15)
    want_top = round(((1024 * 15 - height * 15) // 3) / 15)
    check((left, top) == (want_left, want_top),
          f"window at {left},{top}, expected {want_left},{want_top}")
    return w["origin"]


def check_places(s, origin):
    found = d.controls(s)
    ox, oy = origin

    def at(name):
        r = found[name]["rect"]
        return (r[0] - ox, r[1] - oy, r[2] - r[0], r[3] - r[1])

    # Twips / 15 at 96 dpi; the panel's inside starts 2 pixels in, past its sunken edge.
    expected = {"Pic_C": (12, 16, 453, 169), "Cmd_Etc": (192, 200, 125, 25),
                "Cmd_Set": (320, 200, 73, 25), "Cmd_Can": (396, 200, 69, 25),
                "BGM_Repeat": (14 + 92, 18 + 52, 41, 20), "Cmd_BGM": (14 + 36, 18 + 116, 29, 21),
                "lbl_Fname": (14 + 68, 18 + 116, 357, 29), "Img_BGM1": (14 + 20, 18 + 56, 13, 13),
                "Img_BGM0": (14 + 20, 18 + 76, 13, 13), "Img_BGM2": (14 + 20, 18 + 96, 13, 13)}
    for name, want in expected.items():
        check(at(name) == want, f"{name} at {at(name)}, expected {want}")
    # Labels that fit their text keep their corner.
    for name, corner in (("lbl_BGM1", (14 + 36, 18 + 56)), ("lbl14", (14 + 136, 18 + 56)),
                         ("lbl7", (12, 196))):
        check(at(name)[:2] == corner, f"{name} at {at(name)[:2]}, expected {corner}")
    check(at("Img_Ra0")[0] >= 479, "the stock pictures must lie outside the client area")
    texts = {n: found[n]["text"] for n in ("lbl15", "lbl_BGM0", "lbl_BGM1", "lbl_BGM2", "lbl14")}
    want_texts = {"lbl15": "BGM", "lbl_BGM0": "無し", "lbl_BGM1": "音楽CD",
                  "lbl_BGM2": "MP3、WAV", "lbl14": "曲目をﾘﾋﾟｰﾄ"}
    check(texts == want_texts, f"label texts {texts}, expected {want_texts}")
    check("1.0.0" in found["lbl7"]["text"], f"credit line {found['lbl7']['text']!r}")
    return found


def check_kind(s, folder, kind, music, repeat):
    """Opens the dialog with kind stored; returns the running process."""
    saver.write_ini(folder, saver.ini_bytes(kind, repeat, music))
    p = d.open_dialog(s, folder)
    check(d.focus(s) == "Pic_C", f"stored kind {kind}: first focus on {d.focus(s)}, expected Pic_C")
    colours, _ = d.mark_colours(s, f"kind{kind}")
    want_mark = kind if kind in (0, 1, 2) else None
    for k, colour in colours.items():
        want = d.MARK_ON if k == want_mark else d.MARK_OFF
        check(colour == want, f"stored kind {kind}: mark {k} shows {colour}, expected {want}")
    found = d.controls(s)
    repeat_on = found["BGM_Repeat"]["enabled"] == "1"
    check(repeat_on == (kind == 1), f"stored kind {kind}: repeat box enabled={repeat_on}")
    check(found["BGM_Repeat"]["text"] == (str(repeat) if repeat else ""),
          f"stored repeat {repeat}: the box shows {found['BGM_Repeat']['text']!r}")
    # The file button is usable exactly when it opens the picker.
    d.click(s, "Cmd_BGM")
    opened = d.picker_open(s, 1.5 if kind != 2 else 5)
    check(opened == (kind == 2), f"stored kind {kind}: the file button opened the picker: {opened}")
    if opened:
        s.key("Escape")
        check(d.picker_gone(s, 5), "Esc did not close the picker")
    return p, found


def browser_stand_in(s):
    """Makes the probe the prefix's handler of https addresses; returns the file it fills."""
    record = os.path.join(s.dir, "address.txt")
    command = (f'"{saver.windows_path(s.tool("dlgprobe.exe"))}" record '
               f'"{saver.windows_path(record)}" "%1"')
    subprocess.run([harness.WINE, "reg", "add", r"HKCR\https\shell\open\command", "/ve", "/d",
                    command, "/f"], env=s.env, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    return record


def main():
    with harness.Session() as s:
        folder = saver.install(s, "saver")
        music = saver.windows_path(os.path.join(folder, "Orvanne.dll"))

        p, found = check_kind(s, folder, 1, music, 7)
        origin = check_window(s)
        check_places(s, origin)
        items = found["BGM_Repeat"]
        want_list = "|".join([""] + [str(n) for n in range(1, 31)])
        check(items["items"] == "31" and items["list"] == want_list,
              f"repeat list {items['items']} entries {items['list']!r}")

        # Tab walks the focus order across the panel and round; Shift+Tab goes back.
        panel = found["Pic_C"]["rect"]
        d.click_at(s, panel[2] - 20, panel[1] + 20)
        check(d.focus(s) == "Pic_C", f"a click on the panel put the focus on {d.focus(s)}")
        order = []
        for _ in range(6):
            s.key("Tab")
            time.sleep(0.2)
            order.append(d.focus(s))
        want = ["BGM_Repeat", "Cmd_BGM", "Cmd_Set", "Cmd_Can", "Cmd_Etc", "Pic_C"]
        check(order == want, f"Tab order {order}, expected {want}")
        s.key("shift+Tab")
        time.sleep(0.2)
        check(d.focus(s) == "Cmd_Etc", f"Shift+Tab from Pic_C went to {d.focus(s)}")

        # Neither Enter nor Esc closes the dialog, not even on a button.
        before = d.ini(folder)
        s.key("shift+Tab", "shift+Tab")
        time.sleep(0.2)
        check(d.focus(s) == "Cmd_Set", f"focus on {d.focus(s)}, expected Cmd_Set")
        s.key("Return", "space", "Escape")
        time.sleep(1.0)
        check(p.poll() is None and s.wintool("find", d.TITLE)[0] == 0,
              "Enter or Esc closed the dialog")
        check(d.ini(folder) == before, "a key press wrote the settings file")

        # Cmd_Etc opens our home page and leaves the dialog as it was.
        record = browser_stand_in(s)
        d.click(s, "Cmd_Etc")
        for _ in range(100):
            if os.path.exists(record) and os.path.getsize(record):
                break
            time.sleep(0.1)
        check(os.path.exists(record), "Cmd_Etc opened no browser within 10 s")
        with open(record, "rb") as f:
            address = f.read()
        check(address == b"https://orvanne.example/", f"Cmd_Etc opened {address!r}")
        check(p.poll() is None and d.ini(folder) == before, "Cmd_Etc closed or saved the dialog")
        s.wintool("close", d.TITLE)
        d.wait_closed(s, p, "kind 1")

        for kind in (0, 2):
            p, _ = check_kind(s, folder, kind, music, 0)
            s.wintool("close", d.TITLE)
            d.wait_closed(s, p, f"kind {kind}")

        # A kind the dialog has no mark for: nothing on, nothing usable, saved back as it was.
        p, _ = check_kind(s, folder, 5, music, 12)
        d.click(s, "Cmd_Set")
        d.wait_closed(s, p, "kind 5, saved")
        want = saver.ini_bytes(5, 12, music.encode("cp932"))
        check(d.ini(folder) == want, f"kind 5 saved as {d.ini(folder)!r}, expected {want!r}")
        print("kinds 0, 1, 2 and 5: marks, dependent controls, layout, focus order as expected")


if __name__ == "__main__":
    main()
