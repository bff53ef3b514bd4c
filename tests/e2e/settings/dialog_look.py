"""What a person sees of the settings dialog, under the default locale (code page 1252)
and under Japanese (932): both shadings row by row, the buttons, the marks, readable text,
and the picture kept when the dialog is covered, uncovered, minimised and restored."""

import math
import os
import time

import harness
from harness import check
import dialog_driver as d
import saver


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


def main():
    with harness.Session() as s:
        folder = saver.install(s, "saver")
        music = saver.windows_path(os.path.join(folder, "Orvanne.dll"))
        saver.write_ini(folder, saver.ini_bytes(1, 7, music))
        for name, env in (("default", {}), ("ja", saver.japanese())):
            p = d.open_dialog(s, folder, env=env)
            origin = d.window(s)["origin"]
            found = d.controls(s)
            first = check_picture(s, f"{name}_open", origin, found)

            # Covered in part by another window, then uncovered.
            other = s.start(s.tool("standin_renderer.exe"))
            s.wait_window("Vellis_VC", 10)
            d.probe(s, "move", "Vellis_VC", str(origin[0] + 100), str(origin[1] + 60))
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
            s.wintool("close", d.TITLE)
            d.wait_closed(s, p, name)
        print("both shadings, buttons, marks and text as expected in both locales; "
              "kept through cover, minimise and restore")


if __name__ == "__main__":
    main()
