"""Music through a recorded PulseAudio null sink: a WAV loops, an MP3 plays again soon after
it ends, both stop with the run; with no CD drive the CD watch stops at its first look."""

import array
import os
import pathlib
import subprocess
import time

import harness
from harness import check
import saver

RATE = 44100
FRAME = 0.1  # seconds per loudness frame


class Pulse:
    """A private PulseAudio daemon with one null sink, and a recorder of its monitor."""

    def __init__(self, s):
        self.s = s
        folder = os.path.join(s.dir, "pulse")
        os.makedirs(folder)
        socket = os.path.join(folder, "pulse.sock")
        self.env = {"HOME": folder, "XDG_RUNTIME_DIR": folder, "PULSE_SERVER": "unix:" + socket}
        self.daemon = s.start(
            "pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "--system=false", "-n",
            "--disallow-exit", "--load=module-null-sink sink_name=nullsink",
            f"--load=module-native-protocol-unix auth-anonymous=1 socket={socket}",
            env=self.env, native=True)
        end = time.time() + 10
        while not os.path.exists(socket):
            check(time.time() < end and self.daemon.poll() is None, "PulseAudio did not start")
            time.sleep(0.05)

    def record(self, path):
        self.raw = path
        audio = ("--format=s16le", f"--rate={RATE}", "--channels=2")
        # A stream of zeros keeps the sink running, so the recording follows the clock.
        self.silence = self.s.start("pacat", "--playback", "--latency-msec=50", *audio,
                                    "/dev/zero", env=self.env, native=True)
        with open(path, "wb") as out:
            self.recorder = self.s.start("parec", "-d", "nullsink.monitor", "--latency-msec=20",
                                         *audio, stdout=out, env=self.env, native=True)

    def stop_recording(self):
        """Per frame from the start of the recording, whether the left channel sounded."""
        for p in (self.recorder, self.silence):
            p.terminate()
            p.wait(5)
        data = pathlib.Path(self.raw).read_bytes()
        left = array.array("h", data[:len(data) // 4 * 4])[0::2]
        n = int(RATE * FRAME)
        return [sum(v * v for v in left[i:i + n]) / n > 500 ** 2
                for i in range(0, len(left) - n + 1, n)]


def listen(s, pulse, folder, music, seconds, most_pause):
    """Runs the saver with music for seconds, recording until 1.5 s after the shell's end:
    sound over nearly all the run with no pause longer than most_pause, then silence."""
    saver.write_ini(folder, saver.ini_bytes(2, 0, saver.windows_path(music)))
    name = os.path.basename(music)
    pulse.record(os.path.join(s.dir, name + ".raw"))
    p = saver.run(s, folder, "/s", env=pulse.env)
    s.wait_window("Vellis_VC", 10)
    time.sleep(seconds)
    s.wintool("close", "Vellis_VC")
    saver.ended(p, f"{name}: renderer closed", most=5)
    time.sleep(1.5)
    loud = pulse.stop_recording()
    on = [i for i, sounded in enumerate(loud) if sounded]
    span = (on[-1] - on[0] + 1) * FRAME if on else 0
    pause = max((b - a - 1 for a, b in zip(on, on[1:])), default=0) * FRAME
    print(f"{name}: sound over {span:.1f} s, pauses of up to {pause:.1f} s")
    check(span >= seconds - 1.5 and pause <= most_pause and not any(loud[-10:]),
          f"{name}: sound over {span:.1f} s with a pause of {pause:.1f} s, and in "
          f"{sum(loud[-10:])} of the 10 frames after the shell's end")


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
    text = pathlib.Path(trace).read_text(errors="replace")
    said = [text.count(f'L"{command}"') for command in
            ("open cdaudio", "status cdaudio current track", "stop cdaudio")]
    check(said[0] > 0 and said[1:] == [1, 0], f"CD without a drive: opened, looked at and "
          f"stopped {said} times; expected a look once (the watch then stops), never a stop")


def main():
    with harness.Session() as s:
        pulse = Pulse(s)
        folder = saver.install(s, "saver")
        # A 2 s WAV loops without a pause for the whole run; a 2 s MP3 plays to its end,
        # then again from the start within about a second. A starved machine drops a
        # few output buffers now and then, which is no pause between plays.
        for name, seconds, most_pause in (("tone.wav", 6, 0.3), ("tone.mp3", 8, 1.6)):
            music = os.path.join(folder, name)
            subprocess.run(["sox", "-n", "-r", str(RATE), "-c", "2", music, "synth", "2",
                            "sine", "440"], check=True)
            listen(s, pulse, folder, music, seconds, most_pause)

        cd_without_drive(s, folder)


if __name__ == "__main__":
    main()
