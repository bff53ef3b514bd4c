"""The preview inside a host window: placement, its end with its host, refusals and what it
shows; the settings dialog's zoom out of the remembered cursor point and back into it."""

import os
import subprocess
import sys
import time

import harness
from harness import check, fields

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "settings"))
import dialog_driver as d  # noqa: E402
import saver  # noqa: E402

STILL = os.path.join(harness.SOURCE_DIR, "assets", "preview", "preview.bmp")
HOST = "Preview Host"
WS_CHILD = 0x40000000
SIZES = [(320, 240), (100, 80)]


def start_host(s, w, h, title=HOST, mode="host"):
    """A wintool host window; returns the line it printed (monitor, rect, desktop, shown)."""
    p = s.start(s.tool("wintool.exe"), mode, str(w), str(h), title, stdout=subprocess.PIPE)
    info = fields(p.stdout.readline().decode())
    check("monitor" in info, f"wintool {mode} {w}x{h} did not start")
    info["rect"] = tuple(int(v) for v in info["rect"].split(","))
    return info


def preview_in(s, title, timeout=10):
    """The host's child windows by text once the preview's picture is among them."""
    end = time.time() + timeout
    while time.time() < end:
        found = {c["text"]: c for c in s.children(title)}
        if "Img_Prev" in found:
            return found
        time.sleep(0.1)
    raise harness.Failure(f"no preview in '{title}' after {timeout} s")


def check_hosted(s, scr):
    for (w, h), args in zip(SIZES, (["/p", "{}"], ["/p:{}"])):
        info = start_host(s, w, h)
        p = s.start(scr, *(a.format(info["monitor"]) for a in args))
        found = preview_in(s, HOST)
        for name in ("Preview Window", "Img_Prev"):
            c = found[name]
            check(c["rect"] == info["rect"] and c["visible"] == "1" and
                  int(c["style"], 16) & WS_CHILD, f"{w}x{h}: {name} at {c['rect']} style "
                  f"{c['style']} visible={c['visible']}, expected a child at {info['rect']}")
        s.wintool("close", HOST)
        saver.ended(p, f"preview in {w}x{h} {args[0]}, host closed")

    # A second host is served while a preview shows; a host process that ends without
    # destroying anything (as a crash would) takes its preview along.
    first = s.start(scr, "/p", start_host(s, 152, 112)["monitor"])
    preview_in(s, HOST)
    second = s.start(scr, "/p", start_host(s, 152, 112, "Second Host")["monitor"])
    preview_in(s, "Second Host")
    s.wintool("kill", HOST)
    saver.ended(first, "preview, host process killed")
    check(second.poll() is None, "the second preview ended with the first host")
    s.wintool("close", "Second Host")
    saver.ended(second, "second preview, host closed")


def check_refusals(s, scr):
    """With the run form or the dialog open, or without a usable host, /p ends at once."""
    for title in ("Vellis_Main", "<Orvanne>"):
        info = start_host(s, 152, 112, title)
        saver.ended(s.start(scr, "/p", info["monitor"]), f"preview with {title} open", most=3)
        texts = [c["text"] for c in s.children(title)]
        check(texts == ["Preview Monitor"], f"with '{title}' open the host holds {texts}")
        s.wintool("close", title)
    for args in (["/p", "123456"], ["/p"], ["/p", info["desktop"]]):
        p = s.start(scr, *args)
        saver.ended(p, f"{args}", most=3)
        check(p.returncode == 0, f"{args} ended with exit code {p.returncode}")


def check_picture(s):
    """Drawn in the host's process, the preview shows the still, black beyond it, and
    nothing outside the monitor."""
    still = harness.Image(STILL)
    for w, h in SIZES:
        info = start_host(s, w, h, mode="show")
        check(info["shown"] == "1", f"the in-process preview at {w}x{h} was not shown")
        time.sleep(0.7)
        img = s.screenshot(f"preview_{w}x{h}")
        s.wintool("close", HOST)
        x0, y0, x1, y1 = info["rect"]
        wrong = []
        for y in range(h):
            for x in range(w):
                inside = x < still.width and y < still.height
                want = still.pixel(x, y) if inside else (0, 0, 0)
                got = img.pixel(x0 + x, y0 + y)
                if max(abs(a - b) for a, b in zip(got, want)) > 2:
                    wrong.append((x, y, got, want))
        check(not wrong, f"{w}x{h}: {len(wrong)} pixels differ from the still, first {wrong[:3]}")
        bright = {(r // 64, g // 64, b // 64) for r, g, b in img.region(x0, y0, x1, y1)
                  if max(r, g, b) > 160}
        check(len(bright) >= 8, f"{w}x{h}: only {len(bright)} bright colours: no jewels")
        outside = [img.pixel(x0 - 1, y0 + h // 2), img.pixel(x1, y0 + h // 2),
                   img.pixel(x0 + w // 2, y1)]
        check(outside == [(128, 128, 128)] * 3, f"{w}x{h}: the preview spills out: {outside}")


def check_dialog_zoom(s):
    """/c opened with the cursor at (400, 300) zooms out of that point, and when Cmd_Can is
    clicked (the cursor then on the button) back into the point remembered at the start."""
    folder = saver.install(s, "saver")
    watcher = s.start(s.tool("wintool.exe"), "zooms", "2", "40", stdout=subprocess.PIPE)
    caption = int(fields(watcher.stdout.readline().decode())["caption"])
    s.mouse_move(400, 300)
    p = d.open_dialog(s, folder)
    left, top, right, _ = d.window(s)["rect"]
    d.click(s, "Cmd_Can")
    d.wait_closed(s, p, "zoom")
    lines = [fields(t) for t in watcher.communicate(timeout=60)[0].decode().splitlines()]
    zooms = {z["zoom"]: z for z in lines if "zoom" in z}
    for name, end in (("from", (left, top, right, top + caption)), ("to", (400, 300, 400, 300))):
        check(name in zooms, f"the dialog showed zooms {list(zooms)}, expected from and to")
        z = zooms[name]
        frames = [tuple(int(v) for v in r.split(",")) for r in z["frames"].split(";") if r]
        widths = [r[2] - r[0] for r in frames]
        check(len(frames) >= 5 and frames[-1] == end,
              f"zoom {name}: frames {frames}, expected at least 5 ending at {end}")
        check(widths == sorted(widths, reverse=name == "to"), f"zoom {name}: widths {widths}")
        check(z["left_over"] == "0" and int(z["drawn"]) >= 1,
              f"zoom {name}: painted in {z['drawn']} frames, left over {z['left_over']}")
        check(100 <= int(z["ms"]) <= 1000, f"zoom {name} took {z['ms']} ms")


def main():
    with harness.Session() as s:
        scr = os.path.join(s.install(), "Orvanne.scr")
        check_hosted(s, scr)
        check_refusals(s, scr)
        check_picture(s)
        check_dialog_zoom(s)


if __name__ == "__main__":
    main()
