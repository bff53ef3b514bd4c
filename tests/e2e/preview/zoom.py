"""The window zoom: out of the remembered cursor point and back into it, frame by frame."""

import subprocess

import harness
from harness import check

TARGET = (600, 400, 1080, 652)


def rects(text):
    return [tuple(int(v) for v in r.split(",")) for r in text.split(";") if r]


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
        zooms = {}
        for l in lines[1:]:
            name = next(iter(l))
            l["name"] = name
            zooms[name] = l
        check(set(zooms) == {"from", "to"}, f"expected both zooms, got {list(zooms)}")
        point = (400, 300, 400, 300)
        strip = (TARGET[0], TARGET[1], TARGET[2], TARGET[1] + caption)
        check_zoom(zooms["from"], point, strip, caption)
        # The cursor was moved to (5, 5) in between: the way back still ends at (400, 300).
        check_zoom(zooms["to"], strip, point, caption)


if __name__ == "__main__":
    main()
