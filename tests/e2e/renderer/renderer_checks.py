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
    """The field fills box: many colours on black, moving, centred, out to every edge (a new
    field takes seconds to stream out that far)."""
    wait_drawn(s, name + "-0", box)
    shots = []
    for n in (1, 2, 3):
        time.sleep(settle if n == 1 else 0.4)
        shots.append(s.screenshot(f"{name}-{n}"))
    x0, y0, x1, y1 = box

    def lit(img, part=box):
        return sum(max(p) > 8 for p in img.region(*part, step=4))
    # A jewel passing right by the viewer can cover much of one shot: medians of the three.
    black = statistics.median(1 - lit(img) / len(list(img.region(*box, step=4))) for img in shots)
    shares = [statistics.median(lit(img, half) / max(lit(img), 1) for img in shots)
              for half in ((x0, y0, (x0 + x1) // 2, y1), (x0, y0, x1, (y0 + y1) // 2))]
    first, second = (list(img.region(*box, step=4)) for img in shots[:2])
    moved = sum(max(abs(i - j) for i, j in zip(p, q)) > 24
                for p, q in zip(first, second)) / len(first)
    edges = [(x0, y0, x0 + 80, y1), (x1 - 80, y0, x1, y1),
             (x0, y0, x1, y0 + 80), (x0, y1 - 80, x1, y1)]
    reached = [any(bright_colours(img, edge) for img in shots) for edge in edges]
    colours = bright_colours(shots[0], box)
    check(colours >= 20 and 0.6 <= black < 0.995 and moved > 0.005 and all(reached)
          and all(0.3 <= v <= 0.7 for v in shares),
          f"{name}: {colours} bright colours (20 or more), black share {black:.3f} (0.6 to "
          f"0.995), changed {moved:.4f} (over 0.005), lit left and top {[round(v, 2) for v in shares]} (0.3 to 0.7), "
          f"edges left, right, top, bottom reached {reached}")


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
