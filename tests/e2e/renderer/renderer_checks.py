"""What the renderer's and the Linux module's end-to-end scripts look for on the screen."""

import time

import harness

# The overlay's text box on a 1280-wide client: it starts 114 pixels left of the right
# edge with its baseline 40 pixels below the top.
def overlay_box(width):
    return (width - 120, 22, width - 30, 48)


def bright_colours(img, box=None, step=2):
    """Distinct bright colours (a channel 150 or more), quantised to 4 levels a channel."""
    x0, y0, x1, y1 = box or (0, 0, img.width, img.height)
    seen = set()
    for r, g, b in img.region(x0, y0, x1, y1, step):
        if max(r, g, b) >= 150:
            seen.add((r // 64, g // 64, b // 64))
    return len(seen)


def black_share(img, box=None, step=4):
    x0, y0, x1, y1 = box or (0, 0, img.width, img.height)
    pixels = list(img.region(x0, y0, x1, y1, step))
    return sum(1 for p in pixels if max(p) <= 8) / max(len(pixels), 1)


def changed_share(a, b, box=None, step=4):
    x0, y0, x1, y1 = box or (0, 0, a.width, a.height)
    pa = list(a.region(x0, y0, x1, y1, step))
    pb = list(b.region(x0, y0, x1, y1, step))
    return sum(1 for p, q in zip(pa, pb) if max(abs(i - j) for i, j in zip(p, q)) > 24) / len(pa)


def overlay_pixels(shots, width, at_least=None):
    """Pixels of the overlay box lit grey in at least at_least of the shots (default: all).
    The text is half-strength white, while jewels are coloured and move, so they rarely
    stay in one place; a near jewel can still cover the box in one shot."""
    x0, y0, x1, y1 = overlay_box(width)
    need = len(shots) if at_least is None else at_least
    count = 0
    for y in range(y0, y1):
        for x in range(x0, x1):
            grey = 0
            for img in shots:
                r, g, b = img.pixel(x, y)
                grey += 100 <= r <= 160 and abs(r - g) <= 6 and abs(r - b) <= 6
            count += grey >= need
    return count


def gap_before_unit(shots, width):
    """Blank columns between the number and "fps" in the overlay: the gap before the third
    glyph from the right, glyphs being runs of columns lit grey in at least two shots."""
    x0, y0, x1, y1 = overlay_box(width)
    lit = []
    for x in range(x0, x1):
        hits = 0
        for img in shots:
            hits += any(100 <= r <= 160 and abs(r - g) <= 6 and abs(r - b) <= 6
                        for r, g, b in (img.pixel(x, y) for y in range(y0, y1)))
        lit.append(hits >= 2)
    starts = [x for x in range(1, len(lit)) if lit[x] and not lit[x - 1]]
    ends = [x for x in range(1, len(lit)) if not lit[x] and lit[x - 1]]
    if len(starts) < 4:
        return None
    f = starts[-3]
    return f - max(e for e in ends if e < f)


def wait_drawn(s, name, box=None, timeout=15):
    """Takes screenshots until jewels show (a loaded machine can take seconds)."""
    end = time.time() + timeout
    while True:
        img = s.screenshot(name)
        if bright_colours(img, box, step=4) >= 8:
            return img
        harness.check(time.time() < end, f"no jewels drawn after {timeout} s (shots/{name}.png)")
        time.sleep(0.2)
