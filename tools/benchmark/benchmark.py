"""Frame rate, overhead, idle CPU, start time and memory of the renderer under Xvfb and
llvmpipe at 1280x1024, each against a loop on the same display in the same run; and the
shipped renderer against the same program drawing its field in immediate mode, and the
native Linux module beside the renderer. Then the renderer and the loop on a desktop of two
monitors, and the renderer's resident memory there over a long run and many Tab switches."""

import os
import signal
import statistics
import subprocess
import sys
import time

import daemon_cpu
import harness

SWAPCOUNT = os.environ["ORVANNE_SWAPCOUNT"]
LOOPS = os.environ["ORVANNE_BENCH_LOOPS"]
MODULE = os.environ["ORVANNE_MODULE"]
SECONDS = float(os.environ.get("ORVANNE_BENCH_SECONDS", "4"))
ROUNDS = int(os.environ.get("ORVANNE_BENCH_ROUNDS", "3"))
SLICES = 4
TITLE = "Vellis_VC"
# A primary 1280x1024 and a 1024x768 monitor to its left, lower down.
MONITORS = ("P 1280/338x1024/270+1024+0 screen", "S 1024/270x768/203+0+128 none")
LONG = float(os.environ.get("ORVANNE_BENCH_LONG", "480"))
SWITCHES = int(os.environ.get("ORVANNE_BENCH_SWITCHES", "200"))


def measure(s, wid, pid, seconds=SECONDS):
    """Swaps a second, and CPU milliseconds a frame (all threads, llvmpipe's too): the
    second holds up better than the first when other work shares the machine."""
    before = cpu_seconds(pid)
    swaps, elapsed = s.x(SWAPCOUNT, "count", str(wid), str(seconds)).split()
    used = cpu_seconds(pid) - before
    swaps = int(swaps)
    return swaps / float(elapsed), used * 1000 / max(swaps, 1)


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def peak_memory_kb(pid, key="VmHWM"):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(key + ":"):
                return int(line.split()[1])
    return 0


def window_size(s):
    """The X size of the renderer's window, None while there is none."""
    found = s.x("xdotool", "search", "--name", f"^{TITLE}$").split()
    try:
        return s.geometry(int(found[0]))[2:] if found else None
    except KeyError:  # gone between the search and the look
        return None


def switch_to(s, size):
    """Tab until the renderer's window has that size (a Tab that arrives while the new
    window is being set up is lost)."""
    for _ in range(5):
        s.click(s.wait_window(TITLE, 20), 300, 300)
        s.key("Tab")
        end = time.time() + 5
        while time.time() < end:
            if window_size(s) == size:
                return
            time.sleep(0.05)
    raise harness.Failure(f"no {size} window after five Tabs")


def memory_round(s, desktop):
    """The renderer's VmRSS after start, each minute of a long run, and after Tab switches."""
    p = s.start(s.dist("Orvanne.dll"))
    wid = s.wait_window(TITLE)
    time.sleep(3.0)
    rss = lambda: peak_memory_kb(p.pid, "VmRSS") / 1024
    start, run, frames, elapsed = rss(), [], 0, 0.0
    while elapsed < LONG:
        swaps, seconds = s.x(SWAPCOUNT, "count", str(wid), str(min(60.0, LONG - elapsed))).split()
        frames, elapsed = frames + int(swaps), elapsed + float(seconds)
        run.append(rss())
    switched = {}
    for n in range(1, SWITCHES + 1):
        switch_to(s, (1024, 768) if n % 2 else desktop)
        if n in (2, SWITCHES // 2, SWITCHES):
            time.sleep(1.0)
            switched[n] = rss()
    s.wintool("close", TITLE)
    code = s.wait_exit(p, 20)
    harness.check(code == 1, f"renderer ended with {code}")
    return dict(start=start, run=run, frames=frames, seconds=elapsed, switched=switched)


def start_timed(s, program):
    """Starts the renderer; gives the process and seconds to its window and to the first
    two paints of it seen on the display (the first may be the background erase)."""
    watcher = subprocess.Popen([SWAPCOUNT, "first", TITLE, "30"], env=s.env,
                               stdout=subprocess.PIPE, text=True)
    time.sleep(0.3)  # let the watcher reach the display first
    started = time.monotonic()
    p = s.start(program)
    appeared, first, second = (float(v) for v in watcher.communicate(timeout=40)[0].split())
    return p, appeared - started, first - started, second - started


def renderer_round(s, cold, program):
    p, window_s, paint_s, second_s = start_timed(s, program)
    wid = s.wait_window(TITLE)
    # A fresh field streams in as one wave; count once it has spread along the paths.
    time.sleep(20.0)
    # Short alternating slices, so that load from elsewhere hits both states alike.
    on, off = [], []
    for _ in range(SLICES):
        on.append(measure(s, wid, p.pid, SECONDS / 2))
        s.key("space")
        time.sleep(0.3)
        off.append(measure(s, wid, p.pid, SECONDS / 2))
        s.key("space")
        time.sleep(0.3)
    memory = peak_memory_kb(p.pid)
    s.wintool("minimize", TITLE)
    time.sleep(1.0)
    before, t0 = cpu_seconds(p.pid), time.monotonic()
    time.sleep(5.0)
    idle = (cpu_seconds(p.pid) - before) / (time.monotonic() - t0)
    s.wintool("close", TITLE)
    code = s.wait_exit(p, 20)
    harness.check(code == 1, f"renderer ended with {code}")
    return dict(cold=cold, window_s=window_s, paint_s=paint_s, second_s=second_s,
                on=statistics.median(x[0] for x in on), off=statistics.median(x[0] for x in off),
                on_ms=statistics.median(x[1] for x in on),
                off_ms=statistics.median(x[1] for x in off), memory_kb=memory, idle=idle)


def module_round(s):
    """The native module (X11/GLX, no Wine) on the root window of the same display, overlay
    off as the daemon runs it, drawing back to back as the renderer does; measured as the
    renderer is, once its field has spread."""
    p = subprocess.Popen([MODULE, "--root", "--delay", "0"], env=s.env)
    s.procs.append(p)
    root = int(s.x("xwininfo", "-root").split("Window id: ", 1)[1].split()[0], 16)
    time.sleep(20.0)
    runs = [measure(s, root, p.pid, SECONDS / 2) for _ in range(SLICES)]
    p.send_signal(signal.SIGTERM)
    code = p.wait(10)
    harness.check(code == -signal.SIGTERM, f"module ended with {code}")
    return statistics.median(x[0] for x in runs), statistics.median(x[1] for x in runs)


def loop_round(s, program, title, seconds, counted):
    """Runs a loop program; gives the figures it prints and, when counted, its swaps a
    second seen from outside and its CPU milliseconds a frame; and its peak memory."""
    p = s.start(os.path.join(LOOPS, program), str(seconds), stdout=subprocess.PIPE)
    wid = s.wait_window(title)
    time.sleep(0.5)
    outside, ms = None, None
    if counted:
        outside, ms = measure(s, wid, p.pid, seconds - 1.0)
    else:
        time.sleep(seconds - 1.0)  # memory is read while it runs, near its end
    memory = peak_memory_kb(p.pid)
    out = p.communicate(timeout=120)[0].decode()
    harness.check(p.returncode == 0, f"{program} failed ({p.returncode})")
    return [float(v) for v in out.split()], outside, memory, ms


def main():
    results = {"renderer": [], "immediate": [], "module": [], "bare": [], "parts": [],
               "two_renderer": [], "two_bare": []}
    with harness.Session("benchmark") as s, \
            harness.Session("benchmark-two", screen="2304x1024", monitors=MONITORS) as two:
        for n in range(ROUNDS):
            results["renderer"].append(renderer_round(s, n == 0, s.dist("Orvanne.dll")))
            results["immediate"].append(
                renderer_round(s, False, os.path.join(LOOPS, "immediate_renderer.exe")))
            results["module"].append(module_round(s))
            results["bare"].append(loop_round(s, "bare_loop.exe", "bare loop", SECONDS + 1.5, True))
            results["parts"].append(loop_round(s, "scene_loop.exe", "scene loop", 3 * SECONDS,
                                                False))
            results["two_renderer"].append(renderer_round(two, n == 0, two.dist("Orvanne.dll")))
            results["two_bare"].append(
                loop_round(two, "bare_loop.exe", "bare loop", SECONDS + 1.5, True))
        results["memory"] = memory_round(two, (2304, 1024))
        results["daemon"] = daemon_cpu.daemon_rounds(s, MODULE, ROUNDS)
    report(results)
    report_two(results)


def report(r):
    med = statistics.median
    on = med(x["on"] for x in r["renderer"])
    off = med(x["off"] for x in r["renderer"])
    on_ms = med(x["on_ms"] for x in r["renderer"])
    off_ms = med(x["off_ms"] for x in r["renderer"])
    bare = med(x[1] for x in r["bare"])
    bare_ms = med(x[3] for x in r["bare"])
    scene, swap, whole, outside, swap_share, rest, overlay_us, measure_us, pump_us = (
        med(x[0][k] for x in r["parts"]) for k in range(9))
    own = (overlay_us + measure_us + pump_us) / (1e6 / scene) * 100
    cold = r["renderer"][0]
    warm = r["renderer"][1:] or r["renderer"]

    print(f"Xvfb 1280x1024 llvmpipe, {len(r['renderer'])} rounds, "
          f"load average {os.getloadavg()[0]:.2f} at the end")
    print("frames a second, swaps counted from outside with X Damage, medians of the rounds:")
    print("                             fps    CPU ms/frame")
    print(f"  bare clear-and-swap loop {bare:7.1f}  {bare_ms:7.2f}"
          f"   (its own count {med(x[0][0] for x in r['bare']):.1f} fps)")
    print(f"  renderer, overlay on     {on:7.1f}  {on_ms:7.2f}")
    print(f"  renderer, overlay off    {off:7.1f}  {off_ms:7.2f}")
    module = med(x[0] for x in r["module"])
    module_ms = med(x[1] for x in r["module"])
    print(f"  native module, overlay off {module:5.1f}  {module_ms:7.2f}"
          "   (X11/GLX on the root window, no Wine, --delay 0)")
    print(f"  renderer / bare loop: {on / bare:.3f}")
    print(f"  native module / renderer, overlay off: {module / off:.3f} by fps, "
          f"{module_ms / off_ms:.3f} by CPU a frame; rounds " +
          "; ".join(f"{x[0]:.1f} fps {x[1]:.2f} ms" for x in r["module"]))
    print(f"  overlay, renderer on vs off: {(off / on - 1) * 100:+.1f} % a frame by fps,"
          f" {(on_ms / off_ms - 1) * 100:+.1f} % by CPU")
    im_on = med(x["on"] for x in r["immediate"])
    im_ms = med(x["on_ms"] for x in r["immediate"])
    print("the field from client arrays (shipped) against the same renderer drawing each jewel "
          "in immediate mode, overlay on:")
    print(f"  immediate-mode build     {im_on:7.1f}  {im_ms:7.2f}")
    print(f"  shipped / immediate: {on / im_on:.2f}x the frames a second, "
          f"{on_ms / im_ms:.2f}x the CPU a frame; rounds " +
          "; ".join(f"{a['on']:.1f}/{b['on']:.1f} fps, {a['on_ms']:.2f}/{b['on_ms']:.2f} ms"
                    for a, b in zip(r["renderer"], r["immediate"])))
    print("the renderer's frame taken apart, slices alternating in one process "
          "(medians of the rounds):")
    print(f"  scene alone {scene:.1f} fps; with the swap {swap:.1f}; "
          f"the whole frame {whole:.1f}")
    print(f"  everything outside drawing the scene: {outside * 100:+.1f} % a frame "
          f"(the swap {swap_share * 100:+.1f} %; overlay, measurement and pump "
          f"{rest * 100:+.1f} %)")
    print(f"  timed alone: overlay {overlay_us:.1f} us, measurement {measure_us:.2f} us, "
          f"pump {pump_us:.2f} us a frame, together {own:.2f} % of the scene's frame")
    print("  rounds: " + "; ".join(f"{x[0][0]:.1f} / {x[0][1]:.1f} / {x[0][2]:.1f} fps, "
                                   f"{x[0][3] * 100:+.1f} %" for x in r["parts"]) +
          " | renderer on/off " + "; ".join(f"{x['on']:.1f}/{x['off']:.1f}"
                                            for x in r["renderer"]))
    print("minimised CPU use: " + ", ".join(f"{x['idle'] * 100:.2f} %" for x in r["renderer"]) +
          " of a core")
    print("start to window / first paint / second paint: cold wineserver "
          f"{cold['window_s']:.3f} / {cold['paint_s']:.3f} / {cold['second_s']:.3f} s; warm " +
          ", ".join(f"{x['window_s']:.3f} / {x['paint_s']:.3f} / {x['second_s']:.3f} s"
                    for x in warm))
    print("peak memory (VmHWM): renderer " +
          ", ".join(f"{x['memory_kb'] / 1024:.1f} MB" for x in r["renderer"]) +
          "; bare loop " + ", ".join(f"{x[2] / 1024:.1f} MB" for x in r["bare"]) +
          "; the scene in the loop above " +
          ", ".join(f"{x[2] / 1024:.1f} MB" for x in r["parts"]))
    daemon_cpu.report(r["daemon"])


def report_two(r):
    med = statistics.median
    print("two monitors (a 2304x1024 desktop: the 1280x1024 primary and a 1024x768 monitor), "
          "against one monitor of 1280x1024 in the same run, overlay on:")
    print("                             one monitor         two monitors")
    print("                             fps  CPU ms/frame   fps  CPU ms/frame")
    ratios = []
    for name, bare, renderer in (("one", "bare", "renderer"), ("two", "two_bare", "two_renderer")):
        fps, ms = med(x[1] for x in r[bare]), med(x[3] for x in r[bare])
        on, on_ms = med(x["on"] for x in r[renderer]), med(x["on_ms"] for x in r[renderer])
        ratios.append((fps, ms, on, on_ms))
    (b1, bm1, r1, rm1), (b2, bm2, r2, rm2) = ratios
    print(f"  bare clear-and-swap loop {b1:6.1f} {bm1:7.2f}      {b2:6.1f} {bm2:7.2f}")
    print(f"  renderer                 {r1:6.1f} {rm1:7.2f}      {r2:6.1f} {rm2:7.2f}")
    print(f"  renderer / bare loop: one monitor {r1 / b1:.3f}, two monitors {r2 / b2:.3f}; "
          f"two keep {(r2 / b2) / (r1 / b1):.2f} of the one-monitor ratio (aim: 0.8 or more)")
    print("  rounds: " + "; ".join(f"{a['on']:.1f}/{b[1]:.1f} vs {c['on']:.1f}/{d[1]:.1f} fps"
                                   for a, b, c, d in zip(r["renderer"], r["bare"],
                                                         r["two_renderer"], r["two_bare"])))
    m = r["memory"]
    print(f"resident memory (VmRSS) of the renderer on two monitors: after start "
          f"{m['start']:.1f} MB; over {m['seconds']:.0f} s ({m['frames']} frames), a minute apart: "
          + ", ".join(f"{v:.1f}" for v in m["run"]) + " MB; after " +
          ", ".join(f"{n} Tab switches {v:.1f} MB" for n, v in m["switched"].items()))


if __name__ == "__main__":
    sys.exit(main())
