"""The settings dialog driven from outside: opened on a stored file, read, clicked, typed."""

import os
import pathlib
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "shell"))

from harness import check  # noqa: E402
import saver  # noqa: E402

TITLE = "<Orvanne>"
PICKER = "ﾌｧｲﾙを開く"

# The dialog's controls: name, surface (D dialog, P panel) and place in pixels at 96 dpi
# (left, top, width, height). A control's id is 1000 plus its place in the list.
LAYOUT = [(name, surface, *map(int, place)) for name, surface, *place in map(str.split, """
Pic_C D 12 16 453 169; Shape3 P 20 20 113 21; lbl15 P 20 24 111 13; Img_BGM1 P 20 56 13 13
lbl_BGM1 P 36 56 43 13; BGM_Repeat P 92 52 41 20; lbl14 P 136 56 66 13; Img_BGM0 P 20 76 13 13
lbl_BGM0 P 36 76 23 13; Img_BGM2 P 20 96 13 13; lbl_BGM2 P 36 96 60 13; Cmd_BGM P 36 116 29 21
lbl_Fname P 68 116 357 29; lbl7 D 12 196 165 13; Cmd_Etc D 192 200 125 25
Cmd_Set D 320 200 73 25; Cmd_Can D 396 200 69 25; Img_Ra0 D 536 20 12 12; Img_Ra1 D 536 40 12 12
""".strip().replace("\n", ";").split(";"))]
NAMES = {1000 + i: row[0] for i, row in enumerate(LAYOUT)}


def controls(s):
    # An edit is the repeat box's own text field.
    return {NAMES[int(c["id"])]: c for c in s.children(TITLE)
            if c["class"].lower() != "edit" and int(c["id"]) in NAMES}


def window(s):
    return s.window_info(TITLE)


def focus(s):
    ident = int(s.wintool("focus", TITLE)[1].strip() or 0)
    return NAMES.get(ident, ident)


def click_at(s, x, y, button=1):
    s.x("xdotool", "mousemove", str(x), str(y), "click", str(button), check_rc=True)
    time.sleep(0.3)


def click(s, name, button=1):
    r = controls(s)[name]["rect"]
    click_at(s, (r[0] + r[2]) // 2, (r[1] + r[3]) // 2, button)


def type_into_repeat_box(s, text):
    r = controls(s)["BGM_Repeat"]["rect"]
    click_at(s, r[0] + 6, (r[1] + r[3]) // 2)
    s.key("End", *["BackSpace"] * 8)
    s.x("xdotool", "type", "--delay", "40", text, check_rc=True)
    time.sleep(0.3)


def open_dialog(s, folder, env=None, stored=None):
    # stored: (kind, repeat, music) written first; the sleep lets the zoom end and paint.
    if stored:
        saver.write_ini(folder, saver.ini_bytes(*stored))
    p = saver.run(s, folder, "/c", env=env)
    check(s.wintool("wait", TITLE, 25)[0] == 0, f"no dialog 25 s after /c, exit code {p.poll()}")
    time.sleep(1.0)
    return p


def wait_closed(s, proc, label):
    check(s.wintool("gone", TITLE, 10)[0] == 0, f"{label}: the dialog is still open")
    s.wait_exit(proc, 10)


def ini(folder):
    path = pathlib.Path(folder, "Orvanne.ini")
    return path.read_bytes() if path.exists() else None


def save(s, p, folder, label, kind, repeat, music):
    click(s, "Cmd_Set")
    wait_closed(s, p, label)
    check(ini(folder) == saver.ini_bytes(kind, repeat, music), f"{label}: holds {ini(folder)!r}")


def marked_alone(s, shot, kind):
    img = s.screenshot(shot)
    rects = [controls(s)[f"Img_BGM{k}"]["rect"] for k in range(3)]
    alone = [(0, 64, 255) if k == kind else (255, 255, 255) for k in range(3)]
    return [img.pixel(r[0] + 6, r[1] + 6) for r in rects] == alone
