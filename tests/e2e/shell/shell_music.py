"""Music from the settings dialog to the speaker, through a PulseAudio null sink started
here whose monitor is recorded while the saver runs: a WAV picked in the dialog loops, an
MP3 plays again soon after it ends, the music stops with the run, none after choosing
none; with the real renderer the run and its music outlast many Tab switches and Esc ends
the shell soon after; the CD chosen in the dialog is opened and, with no drive, the CD
watch stops at its first look."""

import array
import os
import subprocess
import sys
import time

import harness
from harness import check
import saver

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "settings"))
import dialog_driver as d  # noqa: E402

SWITCHES = 25

RATE = 44100
FRAME = 0.1  # seconds per loudness frame


class Pulse:
    """A private PulseAudio daemon with one null sink, and a recorder of its monitor."""

    def __init__(self, folder):
        self.folder = folder
        self.xdg = os.path.join(folder, "xdg")
        os.makedirs(self.xdg)
        os.makedirs(os.path.join(folder, "home"))
        self.socket = os.path.join(self.xdg, "pulse.sock")
        self.env = {"HOME": os.path.join(folder, "home"), "XDG_RUNTIME_DIR": self.xdg,
                    "PULSE_SERVER": "unix:" + self.socket}
        e = dict(os.environ, **self.env)
        self.daemon = subprocess.Popen(
            ["pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "--system=false", "-n",
             "--disallow-exit", "--load=module-null-sink sink_name=nullsink",
             f"--load=module-native-protocol-unix auth-anonymous=1 socket={self.socket}"],
            env=e, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        end = time.time() + 10
        while not os.path.exists(self.socket):
            check(time.time() < end and self.daemon.poll() is None, "PulseAudio did not start")
            time.sleep(0.05)
        self.recorder = None

    def record(self, path):
        self.raw = path
        # A stream of zeros keeps the sink running, so the recording follows the clock.
        self.silence = subprocess.Popen(
            ["pacat", "--playback", "--latency-msec=50", "--format=s16le", f"--rate={RATE}", "--channels=2",
             "/dev/zero"], env=dict(os.environ, **self.env), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        self.recorder = subprocess.Popen(
            ["parec", "-d", "nullsink.monitor", "--latency-msec=20", "--format=s16le", f"--rate={RATE}",
             "--channels=2"], env=dict(os.environ, **self.env), stdout=open(path, "wb"),
            stderr=subprocess.DEVNULL)

    def stop_recording(self):
        """Loudness (RMS of the left channel) per frame, from the start of the recording."""
        self.recorder.terminate()
        self.recorder.wait(5)
        self.silence.terminate()
        self.silence.wait(5)
        samples = array.array("h")
        with open(self.raw, "rb") as f:
            data = f.read()
        samples.frombytes(data[:len(data) // 4 * 4])
        left = samples[0::2]
        n = int(RATE * FRAME)
        return [(sum(v * v for v in left[i:i + n]) / n) ** 0.5
                for i in range(0, len(left) - n + 1, n)]

    def close(self):
        for p in (self.recorder, getattr(self, "silence", None)):
            if p and p.poll() is None:
                p.kill()
        self.daemon.terminate()
        try:
            self.daemon.wait(5)
        except subprocess.TimeoutExpired:
            self.daemon.kill()


def sounding(levels, threshold=500):
    return [level > threshold for level in levels]


def runs(flags):
    """(start frame, length) of each run of True."""
    out, start = [], None
    for i, f in enumerate(flags + [False]):
        if f and start is None:
            start = i
        elif not f and start is not None:
            out.append((start, i - start))
            start = None
    return out


def bridged(spans, most):
    """Runs of sound with gaps of at most most frames closed: a starved machine drops a
    few output buffers now and then, which is no pause between plays."""
    out = []
    for start, length in spans:
        if out and start - (out[-1][0] + out[-1][1]) <= most:
            out[-1] = (out[-1][0], start + length - out[-1][0])
        else:
            out.append((start, length))
    return out


def new_window(s, old, timeout):
    """The renderer's window once it is another than old, else None after timeout."""
    end = time.time() + timeout
    while time.time() < end:
        found = s.find_windows("Vellis_VC")
        if found and found[0] != old:
            return found[0]
        time.sleep(0.02)
    return None


def switch_modes(s, p):
    """Releases Tab SWITCHES times, each in the window the one before made."""
    wid = s.wait_window("Vellis_VC", 5)
    resent = 0
    for n in range(1, SWITCHES + 1):
        new = None
        for attempt in range(4):
            # A key that arrives while the new window is still being set up is lost: the
            # click makes sure of the focus, and the Tab goes again.
            resent += attempt > 0
            s.x("xdotool", "mousemove", "--window", str(wid), "300", "300", "click", "1")
            s.key("Tab")
            new = new_window(s, wid, 3)
            if new:
                break
        check(new, f"no new renderer window after Tab {n}")
        wid = new
        check(p.poll() is None, f"the shell ended at Tab {n} while the renderer went on")
    return resent


def listen(s, pulse, folder, seconds, name):
    """Runs the saver for seconds; returns its loudness frames, the last 1.5 s of them
    recorded after the shell had ended."""
    pulse.record(os.path.join(s.dir, name + ".raw"))
    p = saver.run(s, folder, "/s", env=pulse.env)
    s.wait_window("Vellis_VC", 10)
    time.sleep(seconds)
    s.wintool("close", "Vellis_VC")
    saver.seconds_to_exit(s, p, 5)
    time.sleep(1.5)
    levels = pulse.stop_recording()
    check(not any(sounding(levels)[-10:]), f"{name}: sound went on after the shell had ended")
    return levels


def choose(s, folder, steps, want):
    """Opens the dialog, runs steps, saves with Cmd_Set and checks the file it wrote."""
    p = d.open_dialog(s, folder)
    steps()
    d.click(s, "Cmd_Set")
    d.wait_closed(s, p, "choice")
    check(d.ini(folder) == want, f"saved {d.ini(folder)!r}, expected {want!r}")


def pick_file(s, path):
    d.click(s, "lbl_BGM2")
    d.click(s, "Cmd_BGM")
    check(d.picker_open(s, 5), "Cmd_BGM opened no picker")
    time.sleep(0.5)
    s.x("xdotool", "type", "--delay", "20", path, check_rc=True)
    s.key("Return")
    check(d.picker_gone(s, 5), "the picker did not take the typed path")


def real_renderer(s, pulse, wav):
    """/s shows the jewel field full screen; Tab switches keep the run and its music."""
    folder = saver.install(s, "real", renderer="real")
    check(os.path.exists(os.path.join(folder, "Orvanne.dll")), "the renderer was not built")
    saver.write_ini(folder, saver.ini_bytes(2, 0, saver.windows_path(wav)))
    p = saver.run(s, folder, "/s", env=pulse.env)
    wid = s.wait_window("Vellis_VC", 20)
    # The field streams in from afar at the measured frame rate: seconds when loaded.
    # Jewels are many colours; the window's background before the first frame is one.
    end = time.time() + 15
    while True:
        shot = s.screenshot("running")
        colours = {(r // 64, g // 64, b // 64) for r, g, b in
                   shot.region(0, 0, shot.width, shot.height, step=4) if max(r, g, b) > 150}
        if len(colours) >= 8:
            break
        check(time.time() < end, f"no jewels drawn: {len(colours)} bright colours")
        time.sleep(0.5)
    check(s.geometry(wid)[2:] == (shot.width, shot.height), "renderer window not full screen")
    check(p.poll() is None, "the shell ended while the renderer ran")

    resent = switch_modes(s, p)
    pulse.record(os.path.join(s.dir, "after_tabs.raw"))
    time.sleep(1)
    heard = sounding(pulse.stop_recording())
    print(f"{SWITCHES} Tab switches ({resent} Tab(s) sent again): the shell runs on; "
          f"sound in {sum(heard)} of {len(heard)} frames of the second after")
    check(sum(heard) >= len(heard) // 2, "the music stopped during the Tab switches")

    s.click(s.wait_window("Vellis_VC", 5), 300, 300)
    s.key("Escape")
    took = saver.seconds_to_exit(s, p, 5)
    print(f"Esc released: shell ended {took * 1000:.0f} ms later")
    check(took < 1.0, f"the shell took {took:.2f} s to follow the renderer")
    s.wait_no_window("Vellis_VC", 5)


def cd_without_drive(s, folder):
    """One look, then the watch stops; nothing is closed at the end."""
    trace = os.path.join(s.dir, "mci.trace")
    with open(trace, "wb") as out:
        p = saver.run(s, folder, "/s", env={"WINEDEBUG": "+mci"}, stderr=out)
        s.wait_window("Vellis_VC", 10)
        time.sleep(1.5)
        s.wintool("close", "Vellis_VC")
        saver.seconds_to_exit(s, p, 5)
    with open(trace, encoding="utf-8", errors="replace") as f:
        text = f.read()
    looks = text.count('L"status cdaudio current track"')
    print(f"CD without a drive: {looks} look(s) in 1.5 s")
    check('L"open cdaudio"' in text, "the CD device was never opened")
    check(looks == 1, f"the CD watch looked {looks} times, expected once")
    check('L"stop cdaudio"' not in text, "the CD was stopped although watching had ended")


def main():
    with harness.Session() as s:
        pulse = Pulse(os.path.join(s.dir, "pulse"))
        try:
            folder = saver.install(s, "saver")
            wav = os.path.join(folder, "tone.wav")
            mp3 = os.path.join(folder, "tone.mp3")
            for path, pitch in ((wav, "440"), (mp3, "660")):
                subprocess.run(["sox", "-n", "-r", str(RATE), "-c", "2", path, "synth", "2",
                                "sine", pitch], check=True)
            saver.write_ini(folder, saver.ini_bytes(0, 0, b""))

            # WAV picked in the dialog: one 2 s tone looped without pause for the whole run.
            wav_path = saver.windows_path(wav)
            choose(s, folder, lambda: pick_file(s, wav_path), saver.ini_bytes(2, 0, wav_path))
            loud = bridged(runs(sounding(listen(s, pulse, folder, 6, "wav"))), 3)
            check(loud, "no sound from the WAV run")
            _, length = max(loud, key=lambda r: r[1])
            print(f"WAV: sound without a pause for {length * FRAME:.1f} s from a 2 s file")
            check(length * FRAME >= 4.5, f"WAV sounded only {length * FRAME:.1f} s without a pause")

            # MP3: plays to its end, then again from the start within about a second.
            saver.write_ini(folder, saver.ini_bytes(2, 0, saver.windows_path(mp3)))
            levels = listen(s, pulse, folder, 8, "mp3")
            loud = [r for r in runs(sounding(levels)) if r[1] * FRAME >= 0.5]
            check(len(loud) >= 2, f"the MP3 did not play twice: sound runs {loud}")
            gaps = [(b[0] - (a[0] + a[1])) * FRAME for a, b in zip(loud, loud[1:])]
            print(f"MP3: {len(loud)} plays, silent gaps {[round(g, 1) for g in gaps]} s")
            check(max(gaps) <= 1.6, f"the MP3 restarted only after {max(gaps):.1f} s")

            # No music chosen (a right click on its mark): silence; the file path stays.
            saver.write_ini(folder, saver.ini_bytes(2, 0, wav_path))
            choose(s, folder, lambda: d.click(s, "Img_BGM0", 3), saver.ini_bytes(0, 0, wav_path))
            heard = sounding(listen(s, pulse, folder, 4, "none"))
            check(not any(heard), f"sound in {sum(heard)} frames after choosing no music")

            real_renderer(s, pulse, wav)
        finally:
            pulse.close()

        def cd_track_3():
            d.click(s, "lbl_BGM1")
            d.type_into_repeat_box(s, "3")
        choose(s, folder, cd_track_3, saver.ini_bytes(1, 3, wav_path))
        cd_without_drive(s, folder)


if __name__ == "__main__":
    main()
