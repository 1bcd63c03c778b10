"""Runs a Vantrel program under Wine on a virtual display for a few seconds,
saves a screenshot of the renderer's window, ends the run with Escape and
prints where the screenshot is."""
import argparse
import os
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import harness  # noqa: E402
import images  # noqa: E402

PROBE = harness.PROBE = os.path.join(ROOT, "build", "windows", "tests", "probe", "probe.exe")


def probe(env, *args):
    code, text = harness.run_probe(env, *args)
    return subprocess.CompletedProcess(args, code, text)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--work", required=True)
    parser.add_argument("--seconds", type=float, default=6)
    parser.add_argument("--window", default="Yarrin_VC", help="title of the window to capture")
    parser.add_argument("--shot", default="screenshot")
    parser.add_argument("program", nargs="+")
    opts = parser.parse_args()

    xvfb, display = harness.start_xvfb(os.path.join(opts.work, "xvfb.log"))
    env = harness.base_env(display)
    env["WINEPREFIX"] = os.path.join(opts.work, "prefix")
    try:
        program = subprocess.Popen(["wine", *opts.program], env=env)
        found = probe(env, "wait", opts.window, 15000)
        if found.returncode != 0:
            print(f"run: no window titled {opts.window} appeared", file=sys.stderr)
            return 1
        print(f"run: {opts.window} is up; showing it for {opts.seconds:g} s")
        time.sleep(opts.seconds)
        bmp = os.path.join(opts.work, opts.shot + ".bmp")
        png = os.path.join(opts.work, opts.shot + ".png")
        probe(env, "capture", opts.window, harness.to_windows_path(bmp))
        images.write_png(images.read_bmp(bmp), png)
        if opts.window == "Yarrin_VC":
            probe(env, "key", opts.window, harness.VK_ESCAPE, 150)
        else:
            probe(env, "close", opts.window)
        try:
            code = program.wait(timeout=15)
        except subprocess.TimeoutExpired:
            program.kill()
            code = program.wait()
        print(f"run: ended with exit code {code}")
        print(f"screenshot: {png}")
        return 0
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        xvfb.terminate()
        xvfb.wait()


if __name__ == "__main__":
    sys.exit(main())
