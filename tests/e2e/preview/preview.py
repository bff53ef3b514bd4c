"""The preview in a host window, its refusals and picture; the settings dialog's zoom."""

import os
import subprocess
import sys
import time

import harness
from harness import check, fields

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "settings"))
import dialog_driver as d  # noqa: E402
import saver  # noqa: E402

HOST = "Preview Host"


def start_host(s, w, h, title=HOST, mode="host"):
    p = s.start(s.tool("wintool.exe"), mode, str(w), str(h), title, stdout=subprocess.PIPE)
    return dict(fields(p.stdout.readline().decode()), proc=p)


def check_hosted(s, scr):
    # A host killed as in a crash takes its preview along; the picture shows where it stands.
    info = start_host(s, 320, 240)
    p = s.start(scr, "/p", info["monitor"])
    end = time.time() + 10
    while "Img_Prev" not in (found := {c["text"]: c for c in s.children(HOST)}):
        check(time.time() < end, f"no preview in '{HOST}' after 10 s")
        time.sleep(0.1)
    check(found["Preview Window"]["style"] & 0x40000000, "the preview window has no WS_CHILD")
    info["proc"].kill()
    saver.ended(p, "preview, host process killed")


def check_refusals(s, scr):
    for title in ("Vellis_Main", "<Orvanne>"):
        info = start_host(s, 152, 112, title)
        # A preview shown would run until its host closes.
        saver.ended(s.start(scr, "/p", info["monitor"]), f"preview with {title} open", most=3)
        s.wintool("close", title)
    for args in (["/p", "123456"], ["/p"], ["/p", info["desktop"]]):
        p = s.start(scr, *args)
        saver.ended(p, f"{args}", most=3)
        check(p.returncode == 0, f"{args} ended with exit code {p.returncode}")


def check_picture(s):
    # Drawn in the host's process (its monitor at 120,120): the still, black beyond it, grey around.
    still = harness.Image(os.path.join(harness.SOURCE_DIR, "assets", "preview", "preview.bmp"))
    for w, h in ((320, 240), (100, 80)):
        start_host(s, w, h, mode="show")
        time.sleep(0.7)
        img = s.screenshot(f"preview_{w}x{h}")
        s.wintool("close", HOST)
        wrong = []
        for y in range(-1, h + 1):
            for x in range(-1, w + 1):
                want = (128, 128, 128) if not (0 <= x < w and 0 <= y < h) else (
                    still.pixel(x, y) if x < still.width and y < still.height else (0, 0, 0))
                if max(abs(a - b) for a, b in zip(img.pixel(120 + x, 120 + y), want)) > 2:
                    wrong.append((x, y, want))
        check(not wrong, f"{w}x{h}: {len(wrong)} pixels differ, first (x, y, wanted) {wrong[:3]}")


def check_dialog_zoom(s, folder):
    # The cursor is on Cmd_Can at the end; the zoom goes back into the point it left.
    watcher = s.start(s.tool("wintool.exe"), "zooms", "2", stdout=subprocess.PIPE)
    s.mouse_move(400, 300)
    p = d.open_dialog(s, folder)
    left, top, right, _ = d.window(s)["rect"]
    d.click(s, "Cmd_Can")
    d.wait_closed(s, p, "zoom")
    zooms = [fields(t) for t in watcher.communicate(timeout=60)[0].decode().splitlines()]
    for z, end in zip(zooms, ((left, top, right), (400, 300, 400)), strict=True):
        check(z["last"][:3] == end and int(z["frames"]) >= 5 and int(z["drawn"]) >= 1 and
              z["left_over"] == "0" and 100 <= int(z["ms"]) <= 1000,
              f"zoom {z}: expected 5+ frames, painted, removed, ending at {end}, in 0.1-1 s")


def main():
    with harness.Session() as s:
        scr = os.path.join(s.install(), "Orvanne.scr")
        check_hosted(s, scr)
        check_refusals(s, scr)
        check_picture(s)
        check_dialog_zoom(s, os.path.dirname(scr))


if __name__ == "__main__":
    main()
