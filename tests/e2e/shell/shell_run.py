"""Run mode with a stand-in renderer: the hidden run form, the second-copy refusal, and
every way the renderer can end, not start or never show a window; without a renderer the
not-found message, in both code pages, and none for a preview."""

import os
import time

import harness
from harness import check
import saver


def main():
    with harness.Session() as s:
        saver.link_japanese_font(s)
        folder = saver.install(s, "saver")
        log = os.path.join(s.dir, "renderer.log")

        # The stand-in shows its window 1.5 s late: the run must wait for it.
        p = saver.run(s, folder, "/s", env={"STANDIN_LOG": log, "STANDIN_DELAY_MS": "1500"})
        info = None
        for _ in range(100):
            info = s.window_info("Vellis_Main")
            if info:
                break
            time.sleep(0.05)
        check(info is not None, "no window 'Vellis_Main' after /s")
        check(info.get("visible") == "0",
              f"the run form is visible: {info}")
        s.wait_window("Vellis_VC", 10)
        check(p.poll() is None, "the shell ended before the renderer's window went")
        started = saver.read_log(log)
        check(started["cmdline"] == '"' + saver.windows_path(folder) + '\\Orvanne.dll"',
              f"renderer command line {started['cmdline']!r}: expected the bare quoted path")
        check(started["show"] == "1", f"renderer show state {started['show']}, expected 1")

        # A second copy ends at once, whatever it is asked: a message, the dialog or a
        # preview would keep it running past the limit.
        for args in (["/s"], ["/c"], ["/p", "65538"], []):
            second_log = os.path.join(s.dir, "second.log")
            q = saver.run(s, folder, *args, env={"STANDIN_LOG": second_log})
            took = saver.seconds_to_exit(s, q, 5)
            check(not os.path.exists(second_log), f"second copy {args} started a renderer")
            print(f"second copy {args or '(no arguments)'} ended after {took:.2f} s")

        s.wintool("close", "Vellis_VC")
        took = saver.seconds_to_exit(s, p, 5)
        print(f"renderer window closed: shell ended {took * 1000:.0f} ms later")
        check(took < 1.0, f"shell took {took:.2f} s to follow the renderer")

        # Killing the renderer ends the run the same way.
        p = saver.run(s, folder, "-S")
        s.wait_window("Vellis_VC", 10)
        code, _ = s.wintool("kill", "Vellis_VC")
        check(code == 0, "could not kill the renderer")
        took = saver.seconds_to_exit(s, p, 5)
        print(f"renderer killed: shell ended {took * 1000:.0f} ms later")

        # Log-off ends the shell at once; the renderer is left to end itself.
        p = saver.run(s, folder, "/s")
        s.wait_window("Vellis_VC", 10)
        s.wintool("endsession", "Vellis_Main")
        took = saver.seconds_to_exit(s, p, 5)
        print(f"log-off: shell ended {took * 1000:.0f} ms later")
        check(s.window_info("Vellis_VC"), "the shell ended the renderer at log-off")
        s.wintool("close", "Vellis_VC")
        s.wait_no_window("Vellis_VC", 5)

        # No arguments: run mode too.
        p = saver.run(s, folder)
        s.wait_window("Vellis_VC", 10)
        s.wintool("close", "Vellis_VC")
        saver.seconds_to_exit(s, p, 5)

        # A renderer that ends without a window ends the run at once; one that never shows
        # a window ends it after the 10 s limit.
        for what, env, least, most in (
                ("ended without a window", {"STANDIN_MODE": "exit"}, 0, 5),
                ("never showed a window", {"STANDIN_MODE": "hidden", "STANDIN_LIFE_MS": "20000"},
                 9.5, 13)):
            took = saver.seconds_to_exit(s, saver.run(s, folder, "/s", env=env), 15)
            print(f"renderer {what}: shell ended after {took:.2f} s")
            check(least <= took < most, f"renderer {what}: shell ended after {took:.2f} s")

        # Requests the shell does not serve end silently (a message box would keep the
        # shell running past the limit), after the renderer check.
        for args in (["/a"], ["/x"], ["abc"]):
            unserved_log = os.path.join(s.dir, "unserved.log")
            p = saver.run(s, folder, *args, env={"STANDIN_LOG": unserved_log})
            saver.seconds_to_exit(s, p, 5)
            check(not os.path.exists(unserved_log), f"{args} started a renderer")

        # A renderer file that is no program: the run ends silently.
        bad = saver.install(s, "notaprogram", renderer=b"this is not a program\r\n")
        p = saver.run(s, bad, "/s")
        took = saver.seconds_to_exit(s, p, 5)
        print(f"renderer not a program: shell ended after {took:.2f} s")

        missing = saver.install(s, "missing", renderer="missing")
        for args, env in ((["/s"], None), (["/c"], None), (["/a"], None),
                          (["/s"], saver.japanese())):
            label = " ".join(args) + (" in code page 932" if env else "")
            p = saver.run(s, missing, *args, env=env)
            saver.check_not_found_box(s, p, label, shot="not_found" if env else None)
        # A preview request shows no message: the box would keep it running past the limit.
        saver.seconds_to_exit(s, saver.run(s, missing, "/p", "0"), 5)
        print("without a renderer: the message for /s, /c, /a in both code pages; none for /p")


if __name__ == "__main__":
    main()
