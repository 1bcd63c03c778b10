#!/usr/bin/env python3
"""Frame-rate and start-up figures of the renderer under Wine + Xvfb.

Measures, in one run:
- the renderer's frame rate at 1024 x 768 (Wine's +fps channel, an outside
  meter), with both textures in place as a saver run writes them;
- the frame rate of bench/clear_swap.exe (same window, pixel format and loop,
  each frame only clear and swap) as the ceiling of this stack, and the ratio;
- the time from process start to the window and to the first drawn frame,
  over several starts (the probe's "launch" command times both), and the
  same first-frame time of the clear-and-swap program: what context
  creation and the first swap cost on this stack before any scene work.

Usage: bench/renderer_bench.py [--seconds S] [--starts N]   (needs a built windows preset)
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import harness  # noqa: E402

WIN_BUILD = os.path.join(ROOT, "build", "windows")
PROBE = harness.PROBE = os.path.join(WIN_BUILD, "tests", "probe", "probe.exe")
CLEAR_SWAP = os.path.join(WIN_BUILD, "bench", "clear_swap.exe")
RENDERER = os.path.join(ROOT, "dist", "Vantrel.dll")
FPS_LINE = re.compile(r"approx ([0-9.]+)fps")


def probe(env, *args, timeout=60):
    return harness.run_probe(env, *args, timeout=timeout)[1]


def measure_fps(env, exe, title, seconds, log_path):
    fps_env = dict(env, WINEDEBUG="-all,+fps")
    with open(log_path, "wb") as log:
        proc = subprocess.Popen(["wine", exe], env=fps_env, stdout=subprocess.DEVNULL, stderr=log)
    try:
        probe(env, "wait", title, 15000)
        time.sleep(seconds)
        probe(env, "key", title, harness.VK_ESCAPE, 150)
        proc.wait(timeout=15)
    finally:
        if proc.poll() is None:
            proc.kill()
            proc.wait()
    with open(log_path, errors="replace") as f:
        rates = [float(m.group(1)) for m in FPS_LINE.finditer(f.read())]
    steady = rates[2:] or rates  # the first seconds include start-up
    return statistics.median(steady) if steady else 0.0, len(steady)


def measure_starts(env, exe, title, starts):
    windows, frames = [], []
    for _ in range(starts):
        out = probe(env, "launch", harness.to_windows_path(exe), title)
        facts = dict(item.split("=", 1) for item in out.split() if "=" in item)
        if "window_ms" in facts:
            windows.append(float(facts["window_ms"]))
            frames.append(float(facts["frame_ms"]) - float(facts["window_ms"]))
        probe(env, "key", title, harness.VK_ESCAPE, 150)
        probe(env, "gone", title, 5000)
    return windows, frames


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("--starts", type=int, default=10)
    opts = parser.parse_args()

    work = os.path.join(ROOT, "build", "bench-renderer")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    xvfb, display = harness.start_xvfb(os.path.join(work, "xvfb.log"))
    env = harness.base_env(display)
    env["WINEPREFIX"] = os.path.join(work, "prefix")
    try:
        subprocess.run(["wineboot", "-i"], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True)
        drive_c = os.path.join(env["WINEPREFIX"], "drive_c")
        res = os.path.join(ROOT, "host", "resources")
        shutil.copyfile(os.path.join(res, "globe.bmp"), os.path.join(drive_c, "Yarrin1.bmp"))
        shutil.copyfile(os.path.join(res, "glow.bmp"), os.path.join(drive_c, "Yarrin2.bmp"))

        scene_fps, n1 = measure_fps(env, RENDERER, "Yarrin_VC", opts.seconds,
                                    os.path.join(work, "renderer-fps.log"))
        ceiling_fps, n2 = measure_fps(env, CLEAR_SWAP, "ClearSwap", opts.seconds,
                                      os.path.join(work, "clear-swap-fps.log"))
        windows, frames = measure_starts(env, RENDERER, "Yarrin_VC", opts.starts)
        _, floor_frames = measure_starts(env, CLEAR_SWAP, "ClearSwap", opts.starts)
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        xvfb.terminate()
        xvfb.wait()

    def dist(values):
        if not values:
            return "n/a | n/a | n/a"
        return f"{statistics.median(values):.0f} ms | {min(values):.0f} ms | {max(values):.0f} ms"

    print(f"| figure | value |\n|---|---|")
    print(f"| renderer frame rate, 1024 x 768 (median of {n1} one-second readings) | {scene_fps:.0f} fps |")
    print(f"| clear-and-swap ceiling (median of {n2}) | {ceiling_fps:.0f} fps |")
    ratio = scene_fps / ceiling_fps if ceiling_fps else 0
    print(f"| renderer / ceiling | {ratio:.2f} |")
    print(f"\n| over {len(windows)} starts | median | min | max |\n|---|---|---|---|")
    print(f"| process start to window | {dist(windows)} |")
    print(f"| window to first drawn frame | {dist(frames)} |")
    print(f"| clear-and-swap: window to first frame (the stack's floor) | {dist(floor_frames)} |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
