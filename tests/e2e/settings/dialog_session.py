"""The settings dialog under code pages 1252 and 932, end to end."""

import os
import pathlib
import time

import harness
from harness import check
import dialog_driver as d
from renderer_checks import wait_for
import saver

# Caption, close, sizing, minimise and maximise bits; the caption and close box alone.
FRAME_STYLES, FIXED_FRAME, WS_EX_APPWINDOW = 0x00CF0000, 0x00C80000, 0x00040000
TEXTS = {"lbl15": "BGM", "lbl_BGM0": "無し", "lbl_BGM1": "音楽CD", "lbl_BGM2": "MP3、WAV",
         "lbl14": "曲目をﾘﾋﾟｰﾄ"}
SIZED_TO_TEXT = ("lbl_BGM0", "lbl_BGM1", "lbl_BGM2", "lbl14", "lbl7")
UNSTORABLE_CAPTION = "BGMﾌｧｲﾙ"
UNSTORABLE_TEXT = ("このﾌｧｲﾙのﾊﾟｽは保存できません。\n"
                   "ﾊﾟｽに保存できない文字が含まれているか、ﾊﾟｽが長すぎます。")
SKINS = os.path.join(harness.SOURCE_DIR, "assets", "skins")


def check_layout(s):
    w, found = d.window(s), d.controls(s)
    check(w["client"] == (479, 252), f"client area {w['client']}, expected 479 x 252 pixels")
    check(w["style"] & FRAME_STYLES == FIXED_FRAME, f"style {w['style']:#x}: not fixed")
    check(int(w["owner"]) and not w["exstyle"] & WS_EX_APPWINDOW, f"a taskbar button: {w}")
    left, top, right, bottom = w["rect"]
    # Centred across in whole twips (so a half pixel goes), a third of the free height down.
    want = ((1280 - right + left) // 2, round((1024 - bottom + top) / 3))
    check((left, top) == want, f"window at {left},{top}, expected {want}")
    # Panel controls count from inside the panel's 2-pixel edge.
    panel = found["Pic_C"]["rect"]
    for name, surface, left, top, width, height in d.LAYOUT:
        if name in found:
            x, y = (panel[0] + 2, panel[1] + 2) if surface == "P" else w["origin"]
            want = (x + left, y + top, x + left + width, y + top + height)
            size = 2 if name in SIZED_TO_TEXT else 4
            check(found[name]["rect"][:size] == want[:size], f"{name} at {found[name]['rect']}")
    texts = {name: found[name]["text"] for name in TEXTS}
    check(texts == TEXTS, f"label texts {texts}, expected {TEXTS}")
    check("1.0.0" in found["lbl7"]["text"], f"credit line {found['lbl7']['text']!r}")
    check(found["BGM_Repeat"]["items"] == "31", "the repeat list lacks a blank and 1 to 30")
    return w["origin"], found


def check_button(img, what, rect, skin, tint_on_top):
    # The shipped skin shows at the frame's middle rows and left columns; the face is shaded
    # as the skin's own (scaled to the button's height), upside down when the tint is on top.
    x, y, right, bottom = rect
    h, pic = bottom - y, harness.Image(os.path.join(SKINS, skin + ".bmp"))
    want = {(x + (right - x) // 2, y + r % h): pic.pixel(30, r % 25) for r in (2, 3, -4, -3)}
    want.update({(x + c, y + h // 2): pic.pixel(c, 12) for c in (0, 1, 2)})
    for r in (4, h - 5):
        want[(x + 5, y + r)] = pic.pixel(5, round((h - 1 - r if tint_on_top else r) * 24 / (h - 1)))
    got = {at: img.pixel(*at) for at in want}
    check(all(max(abs(a - b) for a, b in zip(got[at], c)) <= 4 for at, c in want.items()),
          f"{what}: not {skin}, tint on top {tint_on_top}: {want} != {got}")


def check_picture(s, label, origin, found):
    img = s.screenshot(label)
    panel = found["Pic_C"]["rect"]
    # Right of the panel and the buttons only each surface's shading shows: darkest at the top,
    # brightest halfway, rows 1 and height - 1 alike (not so if shaded for another height).
    surfaces = ((origin[0] + 473, origin[1], 252, (0, 0, 30), (220, 220, 250)),
                (panel[2] - 20, panel[1] + 2, panel[3] - panel[1] - 4, (30,) * 3, (250,) * 3))
    for x, top, height, dark, light in surfaces:
        rows = [img.pixel(x, top + y) for y in (0, height // 2, 1, height - 1)]
        check(rows[:2] == [dark, light] and rows[2] == rows[3] != dark, f"{label}: {x}: {rows}")
    for name in ("Cmd_Etc", "Cmd_Set", "Cmd_Can", "Cmd_BGM"):
        x, y, right, bottom = rect = found[name]["rect"]
        skin = "disable" if name == "Cmd_BGM" else "normal"
        check_button(img, f"{label}, {name}", rect, skin, False)
        # Inside the frame only the caption is grey or black: black, or grey when disabled.
        text = [max(c) for c in img.region(x + 5, y + 5, right - 5, bottom - 5)
                if max(c) - min(c) < 12 and max(c) < 200]
        check(text and (min(text) > 80) == (skin == "disable"), f"{label}: {name}'s caption")
    # Labels black, the credit line white; boxes for missing characters would all look alike.
    for name in (*TEXTS, "lbl7"):
        x0, y0, x1, y1 = found[name]["rect"]
        ink = (lambda p: min(p) > 200) if name == "lbl7" else (lambda p: sum(p) < 200)
        columns = {tuple(ink(img.pixel(x, y)) for y in range(y0, y1)) for x in range(x0, x1)}
        check(len(columns) > 4, f"{label}: {name} drawn with {len(columns)} column shapes")
    # Our violet jewel icon at the caption's left, where the system's own one would be red.
    left, top = d.window(s)["rect"][:2]
    violet = sum(1 for r, g, b in img.region(left + 2, top + 2, left + 22, top + 20)
                 if r > g + 5 and b > r + 20)
    check(violet >= 20, f"{label}: the caption shows no jewel icon ({violet} violet pixels)")


def button_states(s, p, found):
    # Steps wait out the leave timer and repaint; a press dragged off or begun beside is no click.
    def over(name, dy=0):
        # Wine: a pointer back at the very point where it left brings no WM_MOUSEMOVE.
        r = found[name]["rect"]
        x, y = (r[0] + r[2]) // 2, (r[1] + r[3]) // 2 + dy
        return ["mousemove", x - 3, y, "mousemove", x, y, "sleep", 0.35]
    down, up = ["mousedown", 1, "sleep", 0.35], ["mouseup", 1, "sleep", 0.35]
    steps = [
        ("pointer over", over("Cmd_Can"), {"Cmd_Can": ("highlight", True)}),
        ("held", down, {"Cmd_Can": ("pressed", True)}),
        ("held and dragged off", over("Pic_C"), {"Cmd_Can": ("selected", False)}),
        ("released away, pressed beside, released over",
         up + over("Cmd_Can", 20) + down + over("Cmd_Can") + up, {}),
        ("focus arrived under the pointer", over("Cmd_Set") + ["key", "shift+Tab", "sleep", 0.35],
         {"Cmd_Set": ("pressed", True), "Cmd_Can": ("normal", False)}),
        ("Enter, Space and Esc do nothing", ["key", "Return", "space", "Escape", "sleep", 1], {}),
    ]
    for what, commands, looks in steps:
        s.x("xdotool", *map(str, commands), check_rc=True)
        img = s.screenshot(what.replace(" ", "_"))
        for name, look in looks.items():
            check_button(img, f"{what}, {name}", found[name]["rect"], *look)
        check(p.poll() is None and s.window_info(d.TITLE), f"{what}: gone, exit code {p.poll()}")


def focus_and_home_page(s, found):
    d.click_at(s, found["Pic_C"]["rect"][2] - 20, found["Pic_C"]["rect"][1] + 20)
    check(d.focus(s) == "Pic_C", f"a click on the panel left the focus on {d.focus(s)}")
    order = "BGM_Repeat Cmd_BGM Cmd_Set Cmd_Can Cmd_Etc Pic_C Cmd_Etc Cmd_Can Cmd_Set".split()
    for key, name in zip(["Tab"] * 6 + ["shift+Tab"] * 3, order):
        s.key(key)
        # A loaded machine can take longer than a moment to move the focus.
        wait_for(lambda: d.focus(s) == name, 5, f"{key} did not move the focus to {name}")

    tool, record = saver.windows_path(s.tool("wintool.exe")), pathlib.Path(s.dir, "address.txt")
    harness.quiet([harness.WINE, "reg", "add", r"HKCR\https\shell\open\command", "/ve", "/d",
                   f'"{tool}" record "{saver.windows_path(str(record))}" "%1"', "/f"], s.env)
    d.click(s, "Cmd_Etc")
    wait_for(lambda: record.exists() and record.read_bytes() == b"https://orvanne.example/", 10,
             "Cmd_Etc opened no browser at https://orvanne.example/")


def pick(s, typed=None):
    d.click(s, "Cmd_BGM")
    check(s.wintool("wait", d.PICKER, 5)[0] == 0, "Cmd_BGM opened no picker")
    time.sleep(0.5)
    if typed:
        s.x("xdotool", "type", "--delay", "30", typed, check_rc=True)
    s.key("Return" if typed else "Escape")
    check(s.wintool("gone", d.PICKER, 5)[0] == 0, f"the picker stayed open for {typed!r}")
    time.sleep(0.3)
    return d.controls(s)["lbl_Fname"]["text"]


def choose_files(s, folder, music):
    # A missing file's path taken as typed, one code page 932 lacks by its short (8.3) form, one
    # without either refused (the choice stays). Kind 0 still saves the file, and "3.5" as 4.
    song = pathlib.Path(folder, "Música", "canción.wav")
    song.parent.mkdir()
    song.write_bytes(b"RIFF")
    saver.link_japanese_font(s)
    # Keys of their own for the accented letters: a key xdotool lends on the fly races Wine.
    s.x("xmodmap", "-e", "keycode any = uacute", "-e", "keycode any = oacute", "-e",
        "keycode any = EuroSign", check_rc=True)
    typed = "C:\\music\\not there.mp3"
    for name, env in (("default", {}), ("ja", saver.japanese())):
        p = d.open_dialog(s, folder, env, (2, 6, music))
        shown = d.controls(s)["lbl_Fname"]["text"]
        check(shown == music.decode("cp932"), f"{name}: {shown!r} shown for the stored file")
        check(pick(s, typed) == typed, f"{name}: {typed!r} not shown as typed")
        stored = pick(s, saver.windows_path(str(song)))
        check(stored.isascii() and "~" in stored, f"{name}: {song!r} shown as {stored!r}")
        pick(s, "C:\\music\\€uro.mp3")
        wait_for(lambda: UNSTORABLE_TEXT in s.wintool("children", UNSTORABLE_CAPTION)[1], 5,
                 f"{name}: no box refusing a path without a code page 932 or short form")
        s.key("Return")
        check(s.wintool("gone", UNSTORABLE_CAPTION, 5)[0] == 0, f"{name}: Enter left the box")
        check(pick(s) == stored, f"{name}: a refused or cancelled choice replaced {stored!r}")
        d.click(s, "lbl_BGM1")
        d.type_into_repeat_box(s, "3.5")
        d.click(s, "lbl_BGM0")
        d.save(s, p, folder, f"{name}, short path, kind 0", 0, 4, stored.encode("ascii"))


def close_unsaved(s, p, folder, way):
    # Every mouse button chooses, on marks and labels alike; the close box or Cmd_Can saves none.
    before = d.ini(folder)
    for name, button, kind in (("Img_BGM1", 3, 1), ("lbl_BGM2", 2, 2), ("lbl_BGM1", 1, 1)):
        d.click(s, name, button)
        repeat = d.controls(s)["BGM_Repeat"]["enabled"] == "1"
        check(d.marked_alone(s, f"{name}_{button}", kind) and repeat == (kind == 1),
              f"button {button} on {name}: not kind {kind} alone marked and usable")
    d.type_into_repeat_box(s, "17")
    if way == "Cmd_Can":
        d.click(s, "Cmd_Can")
    else:
        d.click_at(s, d.window(s)["rect"][2] - 14, d.window(s)["rect"][1] + 11)
    d.wait_closed(s, p, way)
    check(d.ini(folder) == before, f"{way} after changes left {d.ini(folder)!r}")
    check(p.returncode == 0, f"the dialog's program ended with code {p.returncode}")


def main():
    with harness.Session() as s:
        folder = saver.install(s, "saver")
        music = saver.windows_path(os.path.join(folder, "Orvanne.dll")).encode("cp932")

        p = d.open_dialog(s, folder, stored=(1, 7, music))
        check(d.focus(s) == "Pic_C", f"the dialog opened with the focus on {d.focus(s)}")
        check(d.marked_alone(s, "kind1", 1), "stored kind 1 not marked alone")
        origin, found = check_layout(s)
        check_picture(s, "default", origin, found)
        # Wine keeps a covered window's picture itself: only a restore makes us paint again.
        for verb, settle in (("minimize", 0.5), ("restore", 0.8)):
            s.wintool(verb, d.TITLE)
            time.sleep(settle)
        check_picture(s, "restored", origin, found)
        button_states(s, p, found)
        focus_and_home_page(s, found)
        close_unsaved(s, p, folder, "close box")

        # Japanese, and a kind the dialog has no mark for: nothing on, saved back as it was.
        p = d.open_dialog(s, folder, saver.japanese(), (5, 12, music))
        check(d.marked_alone(s, "kind5", 5), "a mark on for stored kind 5")
        check_picture(s, "ja", *check_layout(s))
        d.save(s, p, folder, "kind 5", 5, 12, music)
        os.remove(os.path.join(folder, "Orvanne.ini"))
        close_unsaved(s, d.open_dialog(s, folder), folder, "Cmd_Can")
        choose_files(s, folder, music)


if __name__ == "__main__":
    main()
