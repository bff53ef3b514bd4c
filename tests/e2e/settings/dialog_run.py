"""The dialog's choice reaches the saver: a WAV picked and saved is heard in the next run
(through a PulseAudio null sink), no music after choosing none, and the CD device opened
after choosing the audio CD."""

import os
import subprocess
import time

import harness
from harness import check
import dialog_driver as d
import saver
import shell_music


def choose(s, folder, steps):
    p = d.open_dialog(s, folder)
    steps()
    d.click(s, "Cmd_Set")
    d.wait_closed(s, p, "choice")


def pick_file(s, path):
    d.click(s, "lbl_BGM2")
    d.click(s, "Cmd_BGM")
    check(d.picker_open(s, 5), "Cmd_BGM opened no picker")
    time.sleep(0.5)
    s.x("xdotool", "type", "--delay", "20", path, check_rc=True)
    s.key("Return")
    check(d.picker_gone(s, 5), "the picker did not take the typed path")


def run_and_listen(s, pulse, folder, name, seconds=4):
    pulse.record(os.path.join(s.dir, name + ".raw"))
    p = saver.run(s, folder, "/s", env=pulse.env)
    s.wait_window("Vellis_VC", 10)
    time.sleep(seconds)
    s.wintool("close", "Vellis_VC")
    saver.seconds_to_exit(s, p, 5)
    return shell_music.sounding(pulse.stop_recording())


def main():
    with harness.Session() as s:
        pulse = shell_music.Pulse(os.path.join(s.dir, "pulse"))
        try:
            folder = saver.install(s, "saver")
            wav = os.path.join(folder, "tone.wav")
            subprocess.run(["sox", "-n", "-r", str(shell_music.RATE), "-c", "2", wav, "synth",
                            "2", "sine", "440"], check=True)
            saver.write_ini(folder, saver.ini_bytes(0, 0, b""))

            path = saver.windows_path(wav)
            choose(s, folder, lambda: pick_file(s, path))
            want = saver.ini_bytes(2, 0, path)
            check(d.ini(folder) == want, f"saved {d.ini(folder)!r}, expected {want!r}")
            heard = run_and_listen(s, pulse, folder, "wav")
            print(f"WAV chosen: sound in {sum(heard)} of {len(heard)} frames")
            check(sum(heard) * shell_music.FRAME >= 2.5, "the chosen WAV was not heard in the run")

            choose(s, folder, lambda: d.click(s, "Img_BGM0", 3))
            check(d.ini(folder) == saver.ini_bytes(0, 0, path), f"saved {d.ini(folder)!r}")
            heard = run_and_listen(s, pulse, folder, "none")
            check(not any(heard), f"sound in {sum(heard)} frames after choosing no music")
        finally:
            pulse.close()

        def cd_track_3():
            d.click(s, "lbl_BGM1")
            d.type_into_repeat_box(s, "3")
        choose(s, folder, cd_track_3)
        check(d.ini(folder) == saver.ini_bytes(1, 3, path), f"saved {d.ini(folder)!r}")
        trace = os.path.join(s.dir, "mci.trace")
        with open(trace, "wb") as out:
            p = saver.run(s, folder, "/s", env={"WINEDEBUG": "+mci"}, stderr=out)
            s.wait_window("Vellis_VC", 10)
            time.sleep(1.5)
            s.wintool("close", "Vellis_VC")
            saver.seconds_to_exit(s, p, 5)
        with open(trace, encoding="utf-8", errors="replace") as f:
            check('L"open cdaudio"' in f.read(), "the CD device was not opened after choosing CD")
        print("the saver played what the dialog saved: the WAV, nothing, the CD")


if __name__ == "__main__":
    main()
