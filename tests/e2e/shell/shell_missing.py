"""Without Orvanne.dll beside the shell: the not-found message for run, settings and
unserved requests, in both code pages; none for a preview."""

import harness
import saver


def main():
    with harness.Session() as s:
        saver.link_japanese_font(s)
        folder = saver.install(s, "saver", renderer="missing")
        for args, env in ((["/s"], None), (["/c"], None), (["/a"], None),
                          (["/s"], saver.japanese())):
            label = " ".join(args) + (" in code page 932" if env else "")
            p = saver.run(s, folder, *args, env=env)
            saver.check_not_found_box(s, p, label, shot="not_found" if env else None)
            print(f"{label}: message shown with the exact text; dismissing it ended the shell")

        # A preview request shows no message: the box would keep it running past the limit.
        p = saver.run(s, folder, "/p", "0")
        saver.seconds_to_exit(s, p, 5)


if __name__ == "__main__":
    main()
