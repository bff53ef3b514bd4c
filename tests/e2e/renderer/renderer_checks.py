"""What the renderer's and the Linux module's scripts look for on the screen; a wait for any."""

import statistics
import time

from harness import Failure, check


def wait_for(condition, timeout, what):
    end = time.time() + timeout
    while not condition():
        check(time.time() < end, f"{what} after {timeout} s")
        time.sleep(0.05)


def bright_colours(img, box=None, step=2):
    """Distinct bright colours (a channel 150 or more), quantised to 4 levels a channel."""
    x0, y0, x1, y1 = box or (0, 0, img.width, img.height)
    return len({(r // 64, g // 64, b // 64) for r, g, b in img.region(x0, y0, x1, y1, step)
                if max(r, g, b) >= 150})


def wait_drawn(s, name, box=None, timeout=15):
    """Takes screenshots until jewels show (a loaded machine can take seconds)."""
    wait_for(lambda: bright_colours(s.screenshot(name), box, step=4) >= 8, timeout,
             f"no jewels drawn (shots/{name}.png)")


def check_field(s, name, box, settle=3.0):
    """The field fills box: many colours on black, moving, out to every edge (a new field
    takes seconds to stream out that far), from the box's centre."""
    wait_drawn(s, name + "-0", box)
    time.sleep(settle)
    shots = [s.screenshot(f"{name}-1")]
    for n in (2, 3):
        time.sleep(0.4)
        shots.append(s.screenshot(f"{name}-{n}"))
    colours = bright_colours(shots[0], box)
    check(colours >= 20, f"{name}: expected many bright jewel colours, found {colours}")
    pixels = [list(img.region(*box, step=4)) for img in shots]
    # A jewel passing right by the viewer can cover most of one shot: take the middle one.
    share = sorted(sum(max(p) <= 8 for p in shot) / len(shot) for shot in pixels)[1]
    check(0.6 <= share < 0.995, f"{name}: expected jewels on black, black share {share:.3f}")
    moved = sum(max(abs(i - j) for i, j in zip(p, q)) > 24
                for p, q in zip(pixels[0], pixels[1])) / len(pixels[0])
    check(moved > 0.005, f"{name}: the field did not change between two shots ({moved:.4f})")
    x0, y0, x1, y1 = box
    columns = len(range(max(x0, 0), min(x1, shots[0].width), 4))
    halves = [[(i % columns < columns / 2, i < len(shot) / 2) for i, p in enumerate(shot)
               if max(p) > 8] for shot in pixels]
    # Lit pixels fall evenly on either side, across and down: the median of the shots, as a
    # jewel right by the viewer can fill much of one.
    shares = [statistics.median(sum(h[k] for h in lit) / max(len(lit), 1) for lit in halves)
              for k in (0, 1)]
    check(all(0.3 <= v <= 0.7 for v in shares),
          f"{name}: the field is not centred: left and top shares of lit pixels {shares}")
    edges = [(x0, y0, x0 + 80, y1), (x1 - 80, y0, x1, y1),
             (x0, y0, x1, y0 + 80), (x0, y1 - 80, x1, y1)]
    reached = [any(bright_colours(img, edge) for img in shots) for edge in edges]
    check(all(reached), f"{name}: jewels should reach every edge (left, right, top, bottom): "
          f"{reached}")


def check_overlay(s, name, shown=True, right=None, top=0):
    """The overlay's half-strength grey text at the top right of the screen (or of the box
    whose right and top are given), or none. A near jewel can hide or mimic part of it, so a
    column counts when grey in two of three shots, and the look is taken up to three times."""
    for attempt in range(3):
        shots = [s.screenshot(f"{name}-{attempt}{n}") for n in range(3)]
        right = right or shots[0].width
        columns = [x for x in range(right - 120, right - 30)
                   if sum(any(grey(*img.pixel(x, y)) for y in range(top + 22, top + 48))
                          for img in shots) >= 2]
        gaps = [b - a - 1 for a, b in zip(columns, columns[1:]) if b > a + 1]
        # Glyphs are runs of lit columns, "f" the third from the right: without a glyph for
        # the space the gap before it is 1 to 3 pixels, with it 6 or more.
        if (len(gaps) >= 4 and gaps[-3] >= 5) if shown else len(columns) <= 1:
            return
    expected = "to read '188.9 fps', with a space" if shown else "hidden"
    raise Failure(f"{name}: expected the overlay {expected}; {len(columns)} lit columns, "
                  f"gaps {gaps} (shots/{name}-00.png)")


def grey(r, g, b):
    return 100 <= r <= 160 and abs(r - g) <= 6 and abs(r - b) <= 6
