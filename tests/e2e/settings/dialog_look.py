"""The settings dialog as it opens with each stored kind: its window, the place of its
controls, the mark and the one usable dependent control, the repeat list, the focus order,
Enter and Esc meaning nothing, the home page; and what a person sees, under the default
locale (code page 1252) and Japanese (932): both shadings row by row, the buttons, the
marks, readable text, and the picture kept when covered, uncovered, minimised, restored."""

import math
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


def shade(height):
    """Row intensities as the dialog computes them: |sin(y / (H / 3.142))| x 220."""
    dd = height / 3.142
    return [round(abs(math.sin(y / dd)) * 220) for y in range(height)]


def check_column(img, label, x, top, rows, colour):
    bad = [(y, img.pixel(x, top + y), colour(b)) for y, b in enumerate(rows)
           if img.pixel(x, top + y) != colour(b)]
    check(not bad, f"{label}: {len(bad)} rows off the shading, first {bad[:3]} (row, seen, want)")


def dark_pixels(img, rect, limit=200):
    return sum(1 for p in img.region(*rect) if sum(p) < limit)


def glyphs(img, rect, limit=200):
    """The dark shapes of a line of text, split at empty columns, as tuples of rows."""
    x0, y0, x1, y1 = rect
    dark = [[sum(img.pixel(x, y)) < limit for x in range(x0, x1)] for y in range(y0, y1)]
    shapes, start = [], None
    for i in range(x1 - x0 + 1):
        used = i < x1 - x0 and any(row[i] for row in dark)
        if used and start is None:
            start = i
        elif not used and start is not None:
            shapes.append(tuple(tuple(row[start:i]) for row in dark))
            start = None
    return shapes


def check_readable(img, label, rect, text):
    """A font without the characters draws the same empty box for each of them."""
    shapes = glyphs(img, rect)
    check(len(shapes) >= len(text) and len(set(shapes)) == len(shapes),
          f"{label}: {text!r} drawn as {len(shapes)} shapes, {len(set(shapes))} different")


def check_picture(s, label, origin, found):
    img = s.screenshot(label)
    ox, oy = origin
    # A column right of the panel and the buttons: only the dialog's shading.
    check_column(img, f"{label}, dialog", ox + 473, oy, shade(252), lambda b: (b, b, b + 30))
    check(img.pixel(ox + 473, oy) == (0, 0, 30) and img.pixel(ox + 473, oy + 126) == (220, 220, 250),
          f"{label}: dialog edge {img.pixel(ox + 473, oy)}, middle {img.pixel(ox + 473, oy + 126)}")
    panel = found["Pic_C"]["rect"]
    inside_top = panel[1] + 2
    check_column(img, f"{label}, panel", panel[2] - 20, inside_top, shade(panel[3] - panel[1] - 4),
                 lambda b: (b + 30, b + 30, b + 30))
    # Buttons cover the shading with their own faces and captions.
    for name in ("Cmd_Etc", "Cmd_Set", "Cmd_Can", "Cmd_BGM"):
        r = found[name]["rect"]
        row_colour = img.pixel(ox + 473, (r[1] + r[3]) // 2)
        differ = sum(1 for p in img.region(*r) if p != row_colour)
        area = (r[2] - r[0]) * (r[3] - r[1])
        check(differ > area * 0.8, f"{label}: {name} shows the shading, not a face")
        # Inside the 4-pixel skin frame only the caption is dark (the disabled "..." is a
        # few grey dots, left to the eye).
        inner = (r[0] + 4, r[1] + 4, r[2] - 4, r[3] - 4)
        check(name == "Cmd_BGM" or dark_pixels(img, inner, 250) > 5,
              f"{label}: {name} has no caption")
    for name in ("lbl15", "lbl_BGM0", "lbl_BGM1", "lbl_BGM2", "lbl14"):
        check(dark_pixels(img, found[name]["rect"]) > 15, f"{label}: {name} shows no text")
    check_readable(img, label, found["lbl15"]["rect"], "BGM")
    check_readable(img, label, found["lbl_BGM0"]["rect"], "無し")
    white = sum(1 for p in img.region(*found["lbl7"]["rect"]) if min(p) > 200)
    check(white > 20, f"{label}: the credit line shows no white text")
    # Our violet jewel icon at the caption's left, where the system's own one would be red.
    left, top = d.window(s)["rect"][:2]
    violet = sum(1 for r, g, b in img.region(left + 2, top + 2, left + 22, top + 20)
                 if r > g + 5 and b > r + 20)
    check(violet >= 20, f"{label}: the caption shows no jewel icon ({violet} violet pixels)")
    colours = {k: img.pixel(found[f"Img_BGM{k}"]["rect"][0] + 6, found[f"Img_BGM{k}"]["rect"][1] + 6)
               for k in (0, 1, 2)}
    check(colours == {0: d.MARK_OFF, 1: d.MARK_ON, 2: d.MARK_OFF}, f"{label}: marks {colours}")
    return img


def client_pixels(img, origin):
    ox, oy = origin
    return list(img.region(ox, oy, ox + 479, oy + 252))


def browser_stand_in(s):
    """Makes wintool the prefix's handler of https addresses; returns the file it fills."""
    record = os.path.join(s.dir, "address.txt")
    command = (f'"{saver.windows_path(s.tool("wintool.exe"))}" record '
               f'"{saver.windows_path(record)}" "%1"')
    subprocess.run([harness.WINE, "reg", "add", r"HKCR\https\shell\open\command", "/ve", "/d",
                    command, "/f"], env=s.env, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    return record


def open_kind(s, folder, kind, repeat, music, env=None):
    saver.write_ini(folder, saver.ini_bytes(kind, repeat, music))
    p = d.open_dialog(s, folder, env=env)
    check(d.focus(s) == "Pic_C", f"stored kind {kind}: first focus on {d.focus(s)}, expected Pic_C")
    return p


def check_kind(s, kind, repeat):
    """The mark of the stored kind, and the dependent control usable for it alone."""
    colours, _ = d.mark_colours(s, f"kind{kind}")
    for k, colour in colours.items():
        want = d.MARK_ON if k == kind else d.MARK_OFF
        check(colour == want, f"stored kind {kind}: mark {k} shows {colour}, expected {want}")
    box = d.controls(s)["BGM_Repeat"]
    check((box["enabled"] == "1") == (kind == 1), f"stored kind {kind}: repeat box {box}")
    check(box["text"] == (str(repeat) if repeat else ""),
          f"stored repeat {repeat}: the box shows {box['text']!r}")
    # The file button is usable exactly when it opens the picker.
    d.click(s, "Cmd_BGM")
    opened = d.picker_open(s, 1.5 if kind != 2 else 5)
    check(opened == (kind == 2), f"stored kind {kind}: the file button opened the picker: {opened}")
    if opened:
        s.key("Escape")
        check(d.picker_gone(s, 5), "Esc did not close the picker")


def keys_and_home_page(s, folder, p, found):
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
    check(p.poll() is None and s.window_info(d.TITLE), "Enter or Esc closed the dialog")
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


def cover_and_restore(s, name, origin, found):
    """Covered in part by another window, uncovered, minimised, restored: the same picture."""
    first = s.screenshot(f"{name}_before_cover")
    other = s.start(s.tool("standin_renderer.exe"))
    s.wait_window("Vellis_VC", 10)
    s.wintool("move", "Vellis_VC", origin[0] + 100, origin[1] + 60)
    time.sleep(0.5)
    s.screenshot(f"{name}_covered")
    s.wintool("close", "Vellis_VC")
    s.wait_exit(other, 10)
    time.sleep(0.5)
    again = s.screenshot(f"{name}_uncovered")
    check(client_pixels(again, origin) == client_pixels(first, origin),
          f"{name}: the dialog looks different after being covered")
    s.wintool("minimize", d.TITLE)
    time.sleep(0.5)
    s.wintool("restore", d.TITLE)
    time.sleep(0.8)
    check_picture(s, f"{name}_restored", origin, found)


def main():
    with harness.Session() as s:
        folder = saver.install(s, "saver")
        music = saver.windows_path(os.path.join(folder, "Orvanne.dll"))

        p = open_kind(s, folder, 1, 7, music)
        origin = check_window(s)
        found = check_places(s, origin)
        check_picture(s, "default_open", origin, found)
        want_list = "|".join([""] + [str(n) for n in range(1, 31)])
        check(found["BGM_Repeat"]["items"] == "31" and found["BGM_Repeat"]["list"] == want_list,
              f"repeat list {found['BGM_Repeat']['items']} entries {found['BGM_Repeat']['list']!r}")
        cover_and_restore(s, "default", origin, found)
        check_kind(s, 1, 7)
        keys_and_home_page(s, folder, p, found)
        s.wintool("close", d.TITLE)
        d.wait_closed(s, p, "kind 1")

        p = d.open_dialog(s, folder, env=saver.japanese())
        origin = d.window(s)["origin"]
        found = d.controls(s)
        check_picture(s, "ja_open", origin, found)
        cover_and_restore(s, "ja", origin, found)
        s.wintool("close", d.TITLE)
        d.wait_closed(s, p, "ja")

        for kind in (0, 2):
            p = open_kind(s, folder, kind, 0, music)
            check_kind(s, kind, 0)
            s.wintool("close", d.TITLE)
            d.wait_closed(s, p, f"kind {kind}")

        # A kind the dialog has no mark for: nothing on, nothing usable, saved back as it was.
        p = open_kind(s, folder, 5, 12, music)
        check_kind(s, 5, 12)
        d.click(s, "Cmd_Set")
        d.wait_closed(s, p, "kind 5, saved")
        want = saver.ini_bytes(5, 12, music.encode("cp932"))
        check(d.ini(folder) == want, f"kind 5 saved as {d.ini(folder)!r}, expected {want!r}")
        print("kinds 0, 1, 2 and 5 and both locales: layout, focus, marks, picture as expected")


if __name__ == "__main__":
    main()
