"""Music from the settings file to the speaker, through a PulseAudio null sink started here
whose monitor is recorded while the saver runs: a WAV loops, an MP3 plays again soon after
it ends, the music stops with the run; with the real renderer the run outlasts many Tab
switches (the music would stop only with it) and Esc ends the shell soon after; with no CD
drive the CD watch stops at its first look."""

import array
import os
import subprocess
import time

import harness
from harness import check
import saver

SWITCHES = 25
RATE = 44100
FRAME = 0.1  # seconds per loudness frame


class Pulse:
    """A private PulseAudio daemon with one null sink, and a recorder of its monitor; the
    session ends their processes."""

    def __init__(self, s):
        self.s = s
        folder = os.path.join(s.dir, "pulse")
        xdg = os.path.join(folder, "xdg")
        os.makedirs(xdg)
        os.makedirs(os.path.join(folder, "home"))
        socket = os.path.join(xdg, "pulse.sock")
        self.env = {"HOME": os.path.join(folder, "home"), "XDG_RUNTIME_DIR": xdg,
                    "PULSE_SERVER": "unix:" + socket}
        self.daemon = self.start(
            "pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "--system=false", "-n",
            "--disallow-exit", "--load=module-null-sink sink_name=nullsink",
            f"--load=module-native-protocol-unix auth-anonymous=1 socket={socket}")
        end = time.time() + 10
        while not os.path.exists(socket):
            check(time.time() < end and self.daemon.poll() is None, "PulseAudio did not start")
            time.sleep(0.05)

    def start(self, *command, stdout=subprocess.DEVNULL):
        p = subprocess.Popen(command, env=dict(os.environ, **self.env), stdout=stdout,
                             stderr=subprocess.DEVNULL)
        self.s.procs.append(p)
        return p

    def record(self, path):
        self.raw = path
        audio = ("--format=s16le", f"--rate={RATE}", "--channels=2")
        # A stream of zeros keeps the sink running, so the recording follows the clock.
        self.silence = self.start("pacat", "--playback", "--latency-msec=50", *audio,
                                  "/dev/zero")
        with open(path, "wb") as out:
            self.recorder = self.start("parec", "-d", "nullsink.monitor", "--latency-msec=20",
                                       *audio, stdout=out)

    def stop_recording(self):
        """Loudness (RMS of the left channel) per frame, from the start of the recording."""
        for p in (self.recorder, self.silence):
            p.terminate()
            p.wait(5)
        with open(self.raw, "rb") as f:
            data = f.read()
        left = array.array("h", data[:len(data) // 4 * 4])[0::2]
        n = int(RATE * FRAME)
        return [(sum(v * v for v in left[i:i + n]) / n) ** 0.5
                for i in range(0, len(left) - n + 1, n)]


def sounding(levels, threshold=500):
    return [level > threshold for level in levels]


def sound_and_pause(levels):
    """Seconds from the first sounding frame to the last, and the longest pause between."""
    on = [i for i, loud in enumerate(sounding(levels)) if loud]
    check(on, "no sound at all")
    pauses = [b - a - 1 for a, b in zip(on, on[1:])]
    return (on[-1] - on[0] + 1) * FRAME, max(pauses, default=0) * FRAME


def listen(s, pulse, folder, seconds, name):
    """Runs the saver for seconds; returns its loudness frames, the last 1.5 s of them
    recorded after the shell had ended."""
    pulse.record(os.path.join(s.dir, name + ".raw"))
    p = saver.run(s, folder, "/s", env=pulse.env)
    s.wait_window("Vellis_VC", 10)
    time.sleep(seconds)
    s.wintool("close", "Vellis_VC")
    saver.ended(p, f"{name}: renderer closed", most=5)
    time.sleep(1.5)
    levels = pulse.stop_recording()
    check(not any(sounding(levels)[-10:]), f"{name}: sound went on after the shell had ended")
    return levels


def switch_modes(s, p):
    """Releases Tab SWITCHES times, each in the window the one before made; returns how
    many Tabs went again."""
    wid = s.wait_window("Vellis_VC", 20)
    resent = 0
    for n in range(1, SWITCHES + 1):
        old = wid
        for attempt in range(4):
            # A key that arrives while the new window is still being set up is lost: the
            # click makes sure of the focus, and the Tab goes again.
            resent += attempt > 0
            s.x("xdotool", "mousemove", "--window", str(old), "300", "300", "click", "1")
            s.key("Tab")
            end = time.time() + 3
            while wid == old and time.time() < end:
                time.sleep(0.02)
                wid = (s.find_windows("Vellis_VC") or [old])[0]
            if wid != old:
                break
        check(wid != old, f"no new renderer window after Tab {n}")
        check(p.poll() is None, f"the shell ended at Tab {n} while the renderer went on")
    return resent


def real_renderer(s, pulse, wav):
    folder = saver.install(s, "real", renderer="real")
    saver.write_ini(folder, saver.ini_bytes(2, 0, saver.windows_path(wav)))
    p = saver.run(s, folder, "/s", env=pulse.env)
    resent = switch_modes(s, p)
    print(f"{SWITCHES} Tab switches ({resent} Tab(s) sent again): the shell runs on")
    s.click(s.wait_window("Vellis_VC", 5), 300, 300)
    s.key("Escape")
    saver.ended(p, "Esc released in the renderer")


def cd_without_drive(s, folder):
    """One look, then the watch stops; nothing is closed at the end."""
    saver.write_ini(folder, saver.ini_bytes(1, 3, b""))
    trace = os.path.join(s.dir, "mci.trace")
    with open(trace, "wb") as out:
        p = saver.run(s, folder, "/s", env={"WINEDEBUG": "+mci"}, stderr=out)
        s.wait_window("Vellis_VC", 10)
        time.sleep(1.5)
        s.wintool("close", "Vellis_VC")
        saver.ended(p, "CD run, renderer closed", most=5)
    with open(trace, encoding="utf-8", errors="replace") as f:
        text = f.read()
    looks = text.count('L"status cdaudio current track"')
    print(f"CD without a drive: {looks} look(s) in 1.5 s")
    check('L"open cdaudio"' in text, "the CD device was never opened")
    check(looks == 1, f"the CD watch looked {looks} times, expected once")
    check('L"stop cdaudio"' not in text, "the CD was stopped although watching had ended")


def main():
    with harness.Session() as s:
        pulse = Pulse(s)
        folder = saver.install(s, "saver")
        wav = os.path.join(folder, "tone.wav")
        mp3 = os.path.join(folder, "tone.mp3")
        for path, pitch in ((wav, "440"), (mp3, "660")):
            subprocess.run(["sox", "-n", "-r", str(RATE), "-c", "2", path, "synth", "2",
                            "sine", pitch], check=True)

        # A 2 s WAV loops without a pause for the whole run; a 2 s MP3 plays to its end,
        # then again from the start within about a second. A starved machine drops a
        # few output buffers now and then, which is no pause between plays.
        for music, seconds, most_pause in ((wav, 6, 0.3), (mp3, 8, 1.6)):
            saver.write_ini(folder, saver.ini_bytes(2, 0, saver.windows_path(music)))
            name = os.path.basename(music)
            span, pause = sound_and_pause(listen(s, pulse, folder, seconds, name))
            print(f"{name}: sound over {span:.1f} s, pauses of up to {pause:.1f} s")
            check(span >= seconds - 1.5 and pause <= most_pause,
                  f"{name}: sound over {span:.1f} s with a pause of {pause:.1f} s")

        real_renderer(s, pulse, wav)
        cd_without_drive(s, folder)


if __name__ == "__main__":
    main()
