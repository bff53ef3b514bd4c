"""The saver with the real renderer: /s shows the jewel field full screen, the run and its
music outlast many Tab switches, and releasing Esc in it ends the shell soon after."""

import os
import subprocess
import time

import harness
from harness import check
import saver
import shell_music

SWITCHES = 25


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


def main():
    with harness.Session() as s:
        pulse = shell_music.Pulse(os.path.join(s.dir, "pulse"))
        try:
            folder = saver.install(s, "saver", renderer="real")
            check(os.path.exists(os.path.join(folder, "Orvanne.dll")), "the renderer was not built")
            wav = os.path.join(folder, "tone.wav")
            subprocess.run(["sox", "-n", "-r", str(shell_music.RATE), "-c", "2", wav, "synth",
                            "2", "sine", "440"], check=True)
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
            x, y, w, h = s.geometry(wid)
            check((w, h) == (shot.width, shot.height), f"renderer window {w}x{h}, not full screen")
            check(p.poll() is None, "the shell ended while the renderer ran")

            resent = switch_modes(s, p)
            pulse.record(os.path.join(s.dir, "after_tabs.raw"))
            time.sleep(1)
            heard = shell_music.sounding(pulse.stop_recording())
            print(f"{SWITCHES} Tab switches ({resent} Tab(s) sent again): the shell runs on; "
                  f"sound in {sum(heard)} of {len(heard)} frames of the second after")
            check(sum(heard) >= len(heard) // 2, "the music stopped during the Tab switches")

            s.click(s.wait_window("Vellis_VC", 5), 300, 300)
            s.key("Escape")
            released = time.time()
            took = saver.seconds_to_exit(s, p, 5)
            print(f"Esc released: shell ended {took * 1000:.0f} ms later "
                  f"({len(colours)} bright colours on the running screen)")
            check(took < 1.0, f"the shell took {took:.2f} s to follow the renderer")
            s.wait_no_window("Vellis_VC", 5)
            check(time.time() - released < 6, "renderer window still there")
        finally:
            pulse.close()


if __name__ == "__main__":
    main()
