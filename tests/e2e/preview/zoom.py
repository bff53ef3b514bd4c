"""The window zoom: out of the remembered cursor point and back into it, frame by frame;
and the settings dialog's own zoom, watched from another program."""

import os
import subprocess
import sys

import harness
from harness import check

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "settings"))
import dialog_driver as d  # noqa: E402
import saver  # noqa: E402

TARGET = (600, 400, 1080, 652)


def rects(text):
    return [tuple(int(v) for v in r.split(",")) for r in text.split(";") if r]


def zoom_lines(out):
    """The zooms a preview_host run printed, by name ("from", "to")."""
    zooms = {}
    for text in out.splitlines():
        line = dict(t.partition("=")[::2] for t in text.split())
        name = next(iter(line), "")
        if name in ("from", "to"):
            line["name"] = name
            zooms[name] = line
    return zooms


def check_zoom(line, first_end, last_end, caption):
    name = line["name"]
    frames = rects(line.get("frames", ""))
    check(len(frames) >= 5, f"zoom {name}: only {len(frames)} frames seen on the screen")
    check(line["left_over"] == "0", f"zoom {name}: its caption strip is still there afterwards")
    check(int(line["drawn"]) >= 1, f"zoom {name}: the strip never showed the caption colour")
    check(100 <= int(line["ms"]) <= 1000, f"zoom {name} took {line['ms']} ms")
    check(frames[-1] == last_end, f"zoom {name} ended at {frames[-1]}, expected {last_end}")
    widths = [r[2] - r[0] for r in frames]
    grows = name == "from"
    check(widths == sorted(widths, reverse=not grows) and widths[0] != widths[-1],
          f"zoom {name}: strip widths {widths} should {'grow' if grows else 'shrink'}")
    for r in frames:
        check(0 <= r[3] - r[1] <= caption, f"zoom {name}: strip {r} is not a caption strip")
        check(min(first_end[0], last_end[0]) <= r[0] <= max(first_end[0], last_end[0]) and
              min(first_end[1], last_end[1]) <= r[1] <= max(first_end[1], last_end[1]),
              f"zoom {name}: strip {r} strays off the way from {first_end} to {last_end}")


def main():
    with harness.Session() as s:
        p = s.start(s.tool("preview_host.exe"), "zoom", "400", "300", stdout=subprocess.PIPE)
        out, _ = p.communicate(timeout=60)
        lines = [dict(t.partition("=")[::2] for t in l.split()) for l in out.decode().splitlines()]
        head = lines[0]
        check(head.get("cursor_read") == "1", f"GetCursorPos failed: {head}")
        check(head["zoom_point"] == "400,300", f"zoom point {head['zoom_point']}, expected 400,300")
        caption = int(head["caption"])
        zooms = zoom_lines(out.decode())
        check(set(zooms) == {"from", "to"}, f"expected both zooms, got {list(zooms)}")
        point = (400, 300, 400, 300)
        strip = (TARGET[0], TARGET[1], TARGET[2], TARGET[1] + caption)
        check_zoom(zooms["from"], point, strip, caption)
        # The cursor was moved to (5, 5) in between: the way back still ends at (400, 300).
        check_zoom(zooms["to"], strip, point, caption)
        check_dialog_zoom(s, caption)


def check_dialog_zoom(s, caption):
    """/c opened with the cursor at (400, 300) zooms out of that point, and when Cmd_Can is
    clicked (the cursor then on the button) back into it."""
    folder = saver.install(s, "saver")
    watcher = s.start(s.tool("preview_host.exe"), "watch", "2", "40", stdout=subprocess.PIPE)
    check(watcher.stdout.readline().startswith(b"watching"), "the zoom watcher did not start")
    s.mouse_move(400, 300)
    p = d.open_dialog(s, folder)
    left, top, right, _ = d.window(s)["rect"]
    d.click(s, "Cmd_Can")
    d.wait_closed(s, p, "zoom")
    zooms = zoom_lines(watcher.communicate(timeout=60)[0].decode())
    check(set(zooms) == {"from", "to"}, f"the dialog showed zooms {list(zooms)}, expected two")
    point = (400, 300, 400, 300)
    strip = (left, top, right, top + caption)
    check_zoom(zooms["from"], point, strip, caption)
    check_zoom(zooms["to"], strip, point, caption)


if __name__ == "__main__":
    main()
