"""The run's music, recorded from a PulseAudio null sink, and its CD watch without a drive."""

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
AUDIO = ("--format=s16le", f"--rate={RATE}", "--channels=2")


def start_pulse(s):
    folder = os.path.join(s.dir, "pulse")
    os.makedirs(folder)
    socket = os.path.join(folder, "pulse.sock")
    env = {"HOME": folder, "XDG_RUNTIME_DIR": folder, "PULSE_SERVER": "unix:" + socket}
    daemon = s.start("pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "--system=false",
                     "-n", "--disallow-exit", "--load=module-null-sink sink_name=nullsink",
                     f"--load=module-native-protocol-unix auth-anonymous=1 socket={socket}",
                     env=env, native=True)
    end = time.time() + 10
    while not os.path.exists(socket):
        check(time.time() < end and daemon.poll() is None, "PulseAudio did not start")
        time.sleep(0.05)
    # A stream of zeros keeps the sink running, so the recording follows the clock.
    s.start("pacat", "--playback", "--latency-msec=50", *AUDIO, "/dev/zero", env=env, native=True)
    raw = os.path.join(folder, "sink.raw")
    with open(raw, "wb") as out:
        s.start("parec", "-d", "nullsink.monitor", "--latency-msec=20", *AUDIO, stdout=out,
                env=env, native=True)
    return env, raw


def run_for(s, folder, seconds, what, env, **popen):
    p = saver.run(s, folder, "/s", env=env, **popen)
    s.wait_window("Vellis_VC", 10)
    time.sleep(seconds)
    s.wintool("close", "Vellis_VC")
    saver.ended(p, f"{what}: renderer closed", most=5)


def listen(s, pulse, raw, folder, name, seconds, most_pause):
    """Sound over nearly all the run, no pause over most_pause, silence after the shell's end."""
    music = os.path.join(folder, name)
    subprocess.run(["sox", "-n", "-r", str(RATE), "-c", "2", music, "synth", "2", "sine", "440"],
                   check=True)
    saver.write_ini(folder, saver.ini_bytes(2, 0, saver.windows_path(music)))
    start = os.path.getsize(raw) // 4 * 4
    run_for(s, folder, seconds, name, pulse)
    time.sleep(1.5)
    data = pathlib.Path(raw).read_bytes()[start:]
    left = array.array("h", data[:len(data) // 4 * 4])[0::2]
    n = int(RATE * FRAME)
    loud = [sum(v * v for v in left[i:i + n]) > n * 500**2 for i in range(0, len(left) - n + 1, n)]
    on = [i for i, sounded in enumerate(loud) if sounded]
    span = (on[-1] - on[0] + 1) * FRAME if on else 0
    pause = max((b - a - 1 for a, b in zip(on, on[1:])), default=0) * FRAME
    check(span >= seconds - 1.5 and pause <= most_pause and not any(loud[-10:]),
          f"{name}: sound over {span:.1f} s, pauses to {pause:.1f} s, {sum(loud[-10:])}/10 after")


def cd_without_drive(s, folder):
    saver.write_ini(folder, saver.ini_bytes(1, 3, b""))
    trace = os.path.join(s.dir, "mci.trace")
    with open(trace, "wb") as out:
        run_for(s, folder, 1.5, "CD run", {"WINEDEBUG": "+mci"}, stderr=out)
    text = pathlib.Path(trace).read_text(errors="replace")
    said = [text.count(f'L"{command}"') for command in
            ("open cdaudio", "status cdaudio current track", "stop cdaudio")]
    # One look, then the watch stops; nothing was played, so nothing is stopped.
    check(said[0] > 0 and said[1:] == [1, 0], f"CD without a drive: open, look, stop sent {said}")


def main():
    with harness.Session() as s:
        pulse, raw = start_pulse(s)
        folder = saver.install(s, "saver")
        # A 2 s WAV loops without a pause; a 2 s MP3 plays again within about a second. A
        # starved machine drops a few output buffers now and then: no pause between plays.
        for name, seconds, most_pause in (("tone.wav", 6, 0.3), ("tone.mp3", 8, 1.6)):
            listen(s, pulse, raw, folder, name, seconds, most_pause)
        cd_without_drive(s, folder)


if __name__ == "__main__":
    main()
