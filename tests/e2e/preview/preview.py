"""The preview inside a host window: placement, its end with its host, refusals and what it
shows."""

import os
import subprocess
import sys
import time

import harness
from harness import check, fields

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "shell"))
import saver  # noqa: E402

STILL = os.path.join(harness.SOURCE_DIR, "assets", "preview", "preview.bmp")
HOST = "Preview Host"
WS_CHILD = 0x40000000
SIZES = [(320, 240), (100, 80)]


def start_host(s, w, h, title=HOST, mode="host"):
    """A wintool host: what it printed (monitor, rect, desktop, shown) and its "proc"."""
    p = s.start(s.tool("wintool.exe"), mode, str(w), str(h), title, stdout=subprocess.PIPE)
    info = fields(p.stdout.readline().decode())
    check("monitor" in info, f"wintool {mode} {w}x{h} did not start")
    return dict(info, proc=p)


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
    """Two hosts at once, one per way of naming it; a host process killed without
    destroying anything (as a crash would) takes its preview along, the other one goes on
    until its host is closed."""
    runs = []
    for (w, h), title, args in zip(SIZES, (HOST, "Second Host"), (["/p", "{}"], ["/p:{}"])):
        info = start_host(s, w, h, title)
        runs.append((info["proc"], s.start(scr, *(a.format(info["monitor"]) for a in args))))
        found = preview_in(s, title)
        for name in ("Preview Window", "Img_Prev"):
            c = found[name]
            check(c["rect"] == info["rect"] and c["visible"] == "1" and
                  int(c["style"], 16) & WS_CHILD, f"{w}x{h}: {name} at {c['rect']} style "
                  f"{c['style']} visible={c['visible']}, expected a child at {info['rect']}")
    (host, first), (_, second) = runs
    host.kill()
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
    """Drawn in the host's process, the preview shows the still pixel for pixel, black
    beyond it, and nothing outside the monitor."""
    still = harness.Image(STILL)
    for w, h in SIZES:
        info = start_host(s, w, h, mode="show")
        check(info["shown"] == "1", f"the in-process preview at {w}x{h} was not shown")
        time.sleep(0.7)
        img = s.screenshot(f"preview_{w}x{h}")
        s.wintool("close", HOST)
        # The monitor and a ring of the host's grey around it.
        wrong = []
        for y in range(-1, h + 1):
            for x in range(-1, w + 1):
                want = (128, 128, 128) if not (0 <= x < w and 0 <= y < h) else (
                    still.pixel(x, y) if x < still.width and y < still.height else (0, 0, 0))
                got = img.pixel(info["rect"][0] + x, info["rect"][1] + y)
                if max(abs(a - b) for a, b in zip(got, want)) > 2:
                    wrong.append((x, y, got, want))
        check(not wrong, f"{w}x{h}: {len(wrong)} pixels differ, first {wrong[:3]}")


def main():
    with harness.Session() as s:
        scr = os.path.join(s.install(), "Orvanne.scr")
        check_hosted(s, scr)
        check_refusals(s, scr)
        check_picture(s)


if __name__ == "__main__":
    main()
