"""CPU share of the Linux module under the real screen-saver daemon with its default
options, next to the stock `gears` module on the same display, each measured the same way
in alternating turns. Run alone (python3 daemon_cpu.py, ORVANNE_MODULE set) or from
benchmark.py with its session."""

import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

import harness

NOBODY = 65534
SETTLE = 10.0   # a fresh field streams out first
MEASURED = 8.0


def pid_on_display(s, name):
    for pid in subprocess.run(["pgrep", "-u", str(NOBODY), "-x", name], stdout=subprocess.PIPE,
                              text=True).stdout.split():
        try:
            with open(f"/proc/{pid}/environ", "rb") as f:
                if re.search(rf"(^|\0)DISPLAY={s.display}(\.0)?\0".encode(), f.read()):
                    return int(pid)
        except OSError:
            pass
    return None


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def share(s, number, name):
    """Blanks with the number-th program of the list; the module's share of one core."""
    s.x("xscreensaver-command", "-select", str(number), check_rc=True)
    end = time.time() + 15
    while not (pid := pid_on_display(s, name)):
        harness.check(time.time() < end, f"the daemon did not start {name}")
        time.sleep(0.1)
    time.sleep(SETTLE)
    before, t0 = cpu_seconds(pid), time.monotonic()
    time.sleep(MEASURED)
    used = (cpu_seconds(pid) - before) / (time.monotonic() - t0)
    s.x("xscreensaver-command", "-deactivate")
    time.sleep(1.0)
    return used


def daemon_rounds(s, module, rounds):
    """[(module share, gears share)] a round; the daemon runs as nobody, who needs a copy
    of the module outside the build tree."""
    place = tempfile.mkdtemp(prefix="orvanne-bench-", dir="/tmp")
    try:
        os.chmod(place, 0o755)
        shutil.copy(module, os.path.join(place, "orvanne"))
        with open(os.path.join(place, ".xscreensaver"), "w") as f:
            f.write("mode: one\nselected: 0\nlock: False\nfade: False\nunfade: False\n"
                    f'programs: GL: {place}/orvanne --root \\n\\\n GL: gears --root \\n\n')
        os.chown(place, NOBODY, NOBODY)
        os.chmod(f"/tmp/.X11-unix/X{s.display[1:]}", 0o666)
        daemon = s.start("setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups",
                         "env", "-i", f"HOME={place}", f"DISPLAY={s.display}",
                         "PATH=/usr/bin:/bin", "xscreensaver", "-no-splash", native=True)
        time.sleep(3.0)
        results = [(share(s, 1, "orvanne"), share(s, 2, "gears")) for _ in range(rounds)]
        s.x("xscreensaver-command", "-exit")
        daemon.wait(10)
        return results
    finally:
        shutil.rmtree(place, True)


def report(rounds):
    module = statistics.median(x[0] for x in rounds)
    gears = statistics.median(x[1] for x in rounds)
    print("CPU share of a core under the daemon, default options, on the same display: "
          f"module {module * 100:.1f} %, stock gears {gears * 100:.1f} % (ratio "
          f"{module / gears:.2f}); rounds " +
          "; ".join(f"{a * 100:.1f} / {b * 100:.1f} %" for a, b in rounds))


if __name__ == "__main__":
    with harness.Session("daemon-cpu", wine=False) as session:
        report(daemon_rounds(session, os.environ["ORVANNE_MODULE"],
                             int(os.environ.get("ORVANNE_BENCH_ROUNDS", "3"))))
    sys.exit(0)
