"""The saver with the real renderer: /s shows the jewel field full screen, and releasing
Esc in it ends the shell soon after."""

import os
import time

import harness
from harness import check
import saver


def main():
    with harness.Session() as s:
        folder = saver.install(s, "saver", renderer="real")
        check(os.path.exists(os.path.join(folder, "Orvanne.dll")), "the renderer was not built")
        p = saver.run(s, folder, "/s")
        wid = s.wait_window("Vellis_VC", 20)
        time.sleep(2)
        shot = s.screenshot("running")
        x, y, w, h = s.geometry(wid)
        check((w, h) == (shot.width, shot.height), f"renderer window {w}x{h}, not full screen")
        lit = sum(1 for px in shot.region(0, 0, shot.width, shot.height, step=8) if max(px) > 60)
        check(lit > 50, f"the screen is nearly black: {lit} lit samples")
        check(p.poll() is None, "the shell ended while the renderer ran")

        s.key("Escape")
        released = time.time()
        took = saver.seconds_to_exit(s, p, 5)
        print(f"Esc released: shell ended {took * 1000:.0f} ms later "
              f"({lit} lit samples on the running screen)")
        check(took < 1.0, f"the shell took {took:.2f} s to follow the renderer")
        s.wait_no_window("Vellis_VC", 5)
        check(time.time() - released < 6, "renderer window still there")


if __name__ == "__main__":
    main()
