"""The preview inside a host window: placement, lifetime, refusals, and what it shows; the
settings dialog's zoom out of the remembered cursor point and back into it."""

import os
import subprocess
import sys
import time

import harness
from harness import check

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "settings"))
import dialog_driver as d  # noqa: E402
import saver  # noqa: E402

STILL = os.path.join(harness.SOURCE_DIR, "assets", "preview", "preview.bmp")
SIZES = [(152, 112), (320, 240), (100, 80)]


def read_bmp(path):
    """(width, height, rows of (r, g, b)) of a bottom-up 24-bit BMP."""
    with open(path, "rb") as f:
        data = f.read()
    check(data[:2] == b"BM", f"{path} is not a BMP")
    offset = int.from_bytes(data[10:14], "little")
    width = int.from_bytes(data[18:22], "little")
    height = int.from_bytes(data[22:26], "little", signed=True)
    check(int.from_bytes(data[28:30], "little") == 24, "the still is not 24-bit")
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        src = height - 1 - y if height > 0 else y
        row = data[offset + src * stride: offset + src * stride + width * 3]
        rows.append([(row[i + 2], row[i + 1], row[i]) for i in range(0, width * 3, 3)])
    return width, height, rows


def fields(line):
    return dict(token.partition("=")[::2] for token in line.split())


def run_host(s, *args):
    p = s.start(s.tool("preview_host.exe"), *args, stdout=subprocess.PIPE)
    try:
        out, _ = p.communicate(timeout=60)
    except subprocess.TimeoutExpired:
        p.kill()
        raise harness.Failure(f"preview_host {' '.join(args)} did not finish")
    return [fields(line) for line in out.decode().splitlines() if line.strip()]


def check_still():
    w, h, rows = read_bmp(STILL)
    check((w, abs(h)) == (152, 112), f"the still is {w}x{h}, expected 152x112")
    pixels = [p for row in rows for p in row]
    black = sum(1 for p in pixels if max(p) < 16)
    bright = {(p[0] // 64, p[1] // 64, p[2] // 64) for p in pixels if max(p) > 160}
    check(black > len(pixels) * 0.6, f"the still should be mostly black, {black} of {len(pixels)}")
    check(len(bright) >= 8, f"the still should hold many bright colours, found {len(bright)}")
    return rows


def check_preview_in_host(s, scr):
    for (w, h), sep, rounds in zip(SIZES, ("space", "colon", "colon"), (2, 1, 1)):
        lines = run_host(s, "external", str(w), str(h), scr, sep, str(rounds), "0")
        print(f"{w}x{h} /p {sep}:", lines, flush=True)
        for n in range(1, rounds + 1):
            seen = [l for l in lines if l.get("round") == str(n) and "appeared" in l]
            check(seen and seen[0]["appeared"] == "1",
                  f"/p{':' if sep == 'colon' else ' '} into {w}x{h}, round {n}: no preview "
                  f"window in the host ({lines})")
            a = seen[0]
            want = f"0,0,{w},{h}"
            check(a["parent_is_host"] == "1", f"{w}x{h}: the preview is not the host's child")
            check(int(a["style"], 16) & 0x40000000, f"{w}x{h}: WS_CHILD missing ({a['style']})")
            check(a["rect"] == want, f"{w}x{h}: preview at {a['rect']}, expected {want}")
            check(a["client"] == f"{w},{h}", f"{w}x{h}: preview client {a['client']}")
            check(a["visible"] == "1", f"{w}x{h}: the preview is not shown")
            check(a["picture"] == "1" and a["picture_rect"] == want,
                  f"{w}x{h}: Img_Prev at {a.get('picture_rect')}, expected {want}")
            gone = [l for l in lines if l.get("round") == str(n) and "host_destroyed" in l][0]
            check(gone["ended"] == "1" and int(gone["ended_ms"]) < 1000,
                  f"{w}x{h}, round {n}: the preview ended {gone['ended_ms']} ms after its host "
                  f"was destroyed (ended={gone['ended']}), expected within a second")


def check_two_at_once(s, scr):
    # A second display-settings window asks for its preview while the first one still shows.
    first = s.start(s.tool("preview_host.exe"), "external", "152", "112", scr, "space", "1",
                    "6000", stdout=subprocess.PIPE)
    line = first.stdout.readline().decode()
    check("appeared=1" in line, f"the first preview did not appear: {line!r}")
    lines = run_host(s, "external", "320", "240", scr, "colon", "1", "0")
    print("second preview while the first shows:", lines, flush=True)
    check(any(l.get("appeared") == "1" for l in lines),
          f"a second preview while the first one shows was not served: {lines}")
    check(first.poll() is None, "the first host ended before the second preview was served")
    rest = [fields(l) for l in first.communicate(timeout=30)[0].decode().splitlines()]
    gone = [l for l in rest if "host_destroyed" in l]
    check(gone and gone[0]["ended"] == "1", f"the first preview did not end with its host: {rest}")


def saver_processes(prefix):
    """Live Orvanne.scr processes of this session's prefix."""
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                cmd = f.read()
            with open(f"/proc/{pid}/environ", "rb") as f:
                env = f.read().split(b"\0")
            with open(f"/proc/{pid}/stat") as f:
                state = f.read().rpartition(")")[2].split()[0]
        except OSError:
            continue
        if b"Orvanne.scr" in cmd and b"WINEPREFIX=" + prefix.encode() in env and state != "Z":
            found.append(int(pid))
    return found


def check_host_process_ending(s, scr):
    # A host that ends without destroying anything (as a crash would) still takes the preview.
    lines = run_host(s, "abandon", "152", "112", scr)
    print("abandoned host:", lines, flush=True)
    check(lines and lines[0].get("appeared") == "1", f"the abandoned host saw no preview: {lines}")
    end = time.time() + 1
    while saver_processes(s.prefix) and time.time() < end:
        time.sleep(0.05)
    left = saver_processes(s.prefix)
    check(not left, f"the preview still runs a second after its host process ended: {left}")


def check_refusals(s, scr):
    for decoy in ("Vellis_Main", "<Orvanne>"):
        lines = run_host(s, "external", "152", "112", scr, "space", "1", "0", decoy)
        print(f"with '{decoy}' open:", lines, flush=True)
        r = lines[0]
        check(r.get("appeared") == "0" and r["ended"] == "1" and r["monitor_children"] == "0",
              f"with a window '{decoy}' open the preview should end without a window: {r}")
        check(int(r["ended_ms"]) < 3000, f"with '{decoy}' open it took {r['ended_ms']} ms to end")
    desktop = s.wintool("desktop")[1].strip()
    for args in (["/p", "123456"], ["/p:0"], ["/p"], ["/p", "junk"], ["/p", desktop]):
        started = time.time()
        p = s.start(scr, *args)
        code = s.wait_exit(p, timeout=10)
        took = time.time() - started
        print(f"{' '.join(args)}: exit code {code} after {took:.2f} s", flush=True)
        check(took < 3, f"{' '.join(args)} names no host window yet ran {took:.1f} s")
        check(code == 0, f"{' '.join(args)} ended with exit code {code}")


def check_picture(s, rows):
    for w, h in SIZES:
        p = s.start(s.tool("preview_host.exe"), "inprocess", str(w), str(h),
                    stdout=subprocess.PIPE)
        info = fields(p.stdout.readline().decode())
        check(info.get("shown") == "1", f"the in-process preview at {w}x{h} was not shown")
        x0, y0, mw, mh = (int(v) for v in info["monitor"].split(","))
        time.sleep(0.7)
        img = s.screenshot(f"preview_{w}x{h}")
        # Seen from another program: both the form and its picture cover the host exactly.
        rects = {c["text"]: c["rect"] for c in s.children("Preview Host")}
        monitor = (x0, y0, x0 + mw, y0 + mh)
        for name in ("Preview Window", "Img_Prev"):
            check(rects.get(name) == monitor,
                  f"{w}x{h}: wintool sees {name} at {rects.get(name)}, expected {monitor}")
        s.wintool("close", "Preview Host")
        s.wait_exit(p)
        wrong = []
        for y in range(mh):
            for x in range(mw):
                got = img.pixel(x0 + x, y0 + y)
                want = rows[y][x] if x < 152 and y < 112 else (0, 0, 0)
                if max(abs(a - b) for a, b in zip(got, want)) > 2:
                    wrong.append((x, y, got, want))
        check(not wrong, f"{w}x{h}: {len(wrong)} pixels differ from the still with black beyond, "
                         f"first {wrong[:3]}")
        outside = [img.pixel(x0 - 1, y0 + mh // 2), img.pixel(x0 + mw, y0 + mh // 2),
                   img.pixel(x0 + mw // 2, y0 + mh)]
        check(all(px == (128, 128, 128) for px in outside),
              f"{w}x{h}: the preview spills beyond its host: {outside}")


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
    check(frames[-1] == last_end, f"zoom {name} ended at {frames[-1]}, expected {last_end}")
    check(line["left_over"] == "0", f"zoom {name}: its caption strip is still there afterwards")
    check(int(line["drawn"]) >= 1, f"zoom {name}: the strip never showed the caption colour")
    check(100 <= int(line["ms"]) <= 1000, f"zoom {name} took {line['ms']} ms")
    widths = [r[2] - r[0] for r in frames]
    grows = name == "from"
    check(widths == sorted(widths, reverse=not grows) and widths[0] != widths[-1],
          f"zoom {name}: strip widths {widths} should {'grow' if grows else 'shrink'}")
    for r in frames:
        check(0 <= r[3] - r[1] <= caption, f"zoom {name}: strip {r} is not a caption strip")
        check(min(first_end[0], last_end[0]) <= r[0] <= max(first_end[0], last_end[0]) and
              min(first_end[1], last_end[1]) <= r[1] <= max(first_end[1], last_end[1]),
              f"zoom {name}: strip {r} strays off the way from {first_end} to {last_end}")


def check_dialog_zoom(s):
    """/c opened with the cursor at (400, 300) zooms out of that point, and when Cmd_Can is
    clicked (the cursor then on the button) back into the point remembered at the start."""
    folder = saver.install(s, "saver")
    watcher = s.start(s.tool("preview_host.exe"), "watch", "2", "40", stdout=subprocess.PIPE)
    head = fields(watcher.stdout.readline().decode())
    check("watching" in head, "the zoom watcher did not start")
    caption = int(head["caption"])
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


def main():
    rows = check_still()
    with harness.Session() as s:
        scr = os.path.join(s.install(), "Orvanne.scr")
        check_preview_in_host(s, scr)
        check_two_at_once(s, scr)
        check_host_process_ending(s, scr)
        check_refusals(s, scr)
        check_picture(s, rows)
        check_dialog_zoom(s)


if __name__ == "__main__":
    main()
