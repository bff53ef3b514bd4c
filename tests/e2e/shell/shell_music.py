"""Music through the real audio path: a PulseAudio null sink started here, its monitor
recorded while the saver runs. A WAV loops, an MP3 plays again soon after it ends, the
music stops with the run, and with no CD drive the CD watch stops at its first look."""

import array
import os
import subprocess
import time

import harness
from harness import check
import saver

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


def play_run(s, pulse, folder, music, seconds, name):
    """Runs the saver with music for seconds; returns its loudness frames, the last second
    of them recorded after the shell had ended."""
    saver.write_ini(folder, saver.ini_bytes(2, 0, saver.windows_path(music).encode("cp932")))
    pulse.record(os.path.join(s.dir, name + ".raw"))
    p = saver.run(s, folder, "/s", env=pulse.env)
    s.wait_window("Vellis_VC", 10)
    time.sleep(seconds)
    s.wintool("close", "Vellis_VC")
    saver.seconds_to_exit(s, p, 5)
    time.sleep(1.5)
    return pulse.stop_recording()


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


def main():
    with harness.Session() as s:
        pulse = Pulse(os.path.join(s.dir, "pulse"))
        try:
            folder = saver.install(s, "saver")
            wav = os.path.join(folder, "tone.wav")
            mp3 = os.path.join(folder, "tone.mp3")
            subprocess.run(["sox", "-n", "-r", str(RATE), "-c", "2", wav, "synth", "2", "sine",
                            "440"], check=True)
            subprocess.run(["sox", "-n", "-r", str(RATE), "-c", "2", mp3, "synth", "2", "sine",
                            "660"], check=True)

            # WAV: one 2 s tone looped without pause for as long as the run lasts.
            levels = play_run(s, pulse, folder, wav, 6, "wav")
            loud = bridged(runs(sounding(levels)), 3)
            check(loud, "no sound from the WAV run")
            _, length = max(loud, key=lambda r: r[1])
            print(f"WAV: sound without a pause for {length * FRAME:.1f} s from a 2 s file")
            check(length * FRAME >= 4.5, f"WAV sounded only {length * FRAME:.1f} s without a pause")
            check(not any(sounding(levels)[-10:]), "sound went on after the shell had ended")

            # MP3: plays to its end, then again from the start within about a second.
            levels = play_run(s, pulse, folder, mp3, 8, "mp3")
            loud = [r for r in runs(sounding(levels)) if r[1] * FRAME >= 0.5]
            check(len(loud) >= 2, f"the MP3 did not play twice: sound runs {loud}")
            gaps = [(b[0] - (a[0] + a[1])) * FRAME for a, b in zip(loud, loud[1:])]
            print(f"MP3: {len(loud)} plays, lengths {[round(r[1] * FRAME, 1) for r in loud]} s, "
                  f"silent gaps {[round(g, 1) for g in gaps]} s")
            check(max(gaps) <= 1.6, f"the MP3 restarted only after {max(gaps):.1f} s")
            check(not any(sounding(levels)[-10:]), "the MP3 went on after the shell had ended")
        finally:
            pulse.close()

        # Audio CD with no drive: one look, then the watch stops; nothing is closed at the end.
        saver.write_ini(folder, saver.ini_bytes(1, 0, ""))
        trace = os.path.join(s.dir, "mci.trace")
        with open(trace, "wb") as out:
            p = saver.run(s, folder, "/s", env={"WINEDEBUG": "+mci"}, stderr=out)
            s.wait_window("Vellis_VC", 10)
            time.sleep(1.5)
            s.wintool("close", "Vellis_VC")
            saver.seconds_to_exit(s, p, 5)
        with open(trace, encoding="utf-8", errors="replace") as f:
            text = f.read()
        sent = [c for c in ("open cdaudio", "set cdaudio time format tmsf",
                            "status cdaudio current track", "status cdaudio number of tracks",
                            "stop cdaudio", "close cdaudio")
                if f'L"{c}"' in text]
        looks = text.count('L"status cdaudio current track"')
        print(f"CD without a drive: commands seen {sent}; {looks} look(s) in 1.5 s")
        check('L"open cdaudio"' in text, "the CD device was never opened")
        check(looks == 1, f"the CD watch looked {looks} times, expected once")
        check('L"stop cdaudio"' not in text, "the CD was stopped although watching had ended")


if __name__ == "__main__":
    main()
