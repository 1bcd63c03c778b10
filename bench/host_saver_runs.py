#!/usr/bin/env python3
"""Saver-run figures of the host under Wine + Xvfb.

Runs the real Vantrel.scr /s a number of times (20 by default) from a copy
of dist/ and measures, per run: the time from starting the host until the
renderer's window "Yarrin_VC" exists, the time from releasing Escape until
the host process has ended, the host's exit code, and the host's CPU use
while the scene runs. After each saver run the renderer is started alone,
as a bare program, and timed to its window the same way: the floor that a
saver run's start adds to. Then a few runs with a WAV playing measure the
time from the scene's window going to the backdrop's going, both seen on
the X display, polled together from before Escape. One further, longer run
with an MP3 playing measures the host's CPU use with its music poll timer
ticking.

Usage: bench/host_saver_runs.py [--runs N] [--wav-runs N] [--hold SECONDS] [--dist DIR]
Prints a Markdown table; everything it starts it ends by process id.
"""
import argparse
import math
import os
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import threading
import time
import wave

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import harness  # noqa: E402


def free_display():
    for number in range(70, 200):
        if not os.path.exists(f"/tmp/.X11-unix/X{number}") and not os.path.exists(
                f"/tmp/.X{number}-lock"):
            return f":{number}"
    raise RuntimeError("no free X display number")


class Bench:
    def __init__(self, dist, work):
        self.work = work
        self.run_dir = os.path.join(work, "saver")
        os.makedirs(self.run_dir)
        for name in ("Vantrel.scr", "Vantrel.dll"):
            shutil.copy(os.path.join(dist, name), self.run_dir)
        home = os.path.join(work, "home")
        os.makedirs(home)
        self.capture = os.path.join(work, "capture.raw")
        with open(os.path.join(home, ".asoundrc"), "w") as f:
            f.write('pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n'
                    % self.capture)
        self.display = free_display()
        self.env = dict(os.environ, DISPLAY=self.display, HOME=home,
                        WINEPREFIX=os.path.join(work, "prefix"), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=", LANG="ja_JP.UTF-8")
        self.xvfb = subprocess.Popen(["Xvfb", self.display, "-screen", "0", "1280x1024x24",
                                      "-nolisten", "tcp"], stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
        harness.wait_until(lambda: os.path.exists(f"/tmp/.X11-unix/X{self.display[1:]}"), 10)
        subprocess.run(["wineboot", "-i"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True, timeout=120)

    def close(self):
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=30)  # our own prefix only
        self.xvfb.terminate()
        self.xvfb.wait(10)

    def renderer_window(self):
        found = subprocess.run(["xdotool", "search", "--name", "^Yarrin_VC$"], env=self.env,
                               capture_output=True, text=True)  # this bench's display only
        return found.stdout.split()[0] if found.stdout.split() else None

    def host_process_ids(self):
        # Only this bench's host: other Wine sessions may run a saver of their own.
        pattern = os.path.join(self.run_dir, "Vantrel.scr") + " /s"
        found = subprocess.run(["pgrep", "-f", "-x", ".*" + pattern], capture_output=True,
                               text=True)
        return [int(pid) for pid in found.stdout.split()]

    @staticmethod
    def cpu_seconds(pid):
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS

    def press_escape(self, window):
        subprocess.run(["xdotool", "keydown", "--window", window, "Escape"], env=self.env,
                       stderr=subprocess.DEVNULL)
        time.sleep(0.15)
        subprocess.run(["xdotool", "keyup", "--window", window, "Escape"], env=self.env,
                       stderr=subprocess.DEVNULL)

    def titles_on_display(self):
        """Which of the scene's and the backdrop's windows this bench's display has."""
        found = subprocess.run(["xdotool", "search", "--name", "^(Yarrin_VC|Vantrel_Backdrop)$",
                                "getwindowname", "%@"], env=self.env, capture_output=True,
                               text=True)
        return found.stdout.split()

    def scene_to_backdrop_gone(self, hold):
        """Seconds from the scene's window going to the backdrop's going, after
        Escape in a run left going `hold` seconds."""
        host, window, _ = self.start_until_window("Vantrel.scr", "/s")
        gone = {}
        try:
            time.sleep(hold)
            escape = threading.Thread(target=self.press_escape, args=(window,))
            escape.start()
            end = time.monotonic() + 30
            while len(gone) < 2 and time.monotonic() < end:
                now, titles = time.monotonic(), self.titles_on_display()
                for title in ("Yarrin_VC", "Vantrel_Backdrop"):
                    if title not in titles:
                        gone.setdefault(title, now)
            escape.join()
            host.wait(30)
        finally:
            if host.poll() is None:
                host.kill()
                host.wait()
        return gone["Vantrel_Backdrop"] - gone["Yarrin_VC"]

    def write_settings(self, lines):
        with open(os.path.join(self.run_dir, "Vantrel.ini"), "wb") as f:
            f.write("\r\n".join(lines).encode("cp932") + b"\r\n")

    def start_until_window(self, *argv):
        """Starts a program of the copy of dist/; (process, window, seconds to
        the renderer's window)."""
        started = time.monotonic()
        proc = subprocess.Popen(["wine", os.path.join(self.run_dir, argv[0]), *argv[1:]],
                                cwd=self.run_dir, env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        window = harness.wait_until(self.renderer_window, 30, interval=0.01)
        window_s = time.monotonic() - started
        if not window:
            proc.kill()
            proc.wait()
            raise RuntimeError("the renderer window did not appear")
        return proc, window, window_s

    def bare_renderer(self):
        """Seconds from starting the renderer alone to its window."""
        renderer, window, window_s = self.start_until_window("Vantrel.dll")
        time.sleep(1.0)  # its first frames, which look at the key
        self.press_escape(window)
        if renderer.wait(30) != 0:
            raise RuntimeError("the bare renderer did not end with exit code 0")
        return window_s

    def one_run(self, hold):
        host, window, window_s = self.start_until_window("Vantrel.scr", "/s")
        try:
            pids = harness.wait_until(self.host_process_ids, 5, interval=0.01) or []
            cpu_before = sum(self.cpu_seconds(p) for p in pids)
            time.sleep(hold)
            cpu_after = sum(self.cpu_seconds(p) for p in pids)
            self.press_escape(window)
            released = time.monotonic()
            code = host.wait(30)
            ended = time.monotonic()
        finally:
            if host.poll() is None:
                host.kill()
                host.wait()
        return {"window_s": window_s, "exit_s": ended - released, "code": code,
                "cpu_pct": 100.0 * (cpu_after - cpu_before) / hold}


def tone_wav(wav):
    with wave.open(wav, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(22050)
        w.writeframes(b"".join(struct.pack("<h", int(8000 * math.sin(2 * math.pi * 440 * i / 22050)))
                               for i in range(22050)))


def tone_mp3(folder):
    wav = os.path.join(folder, "tone.wav")
    tone_wav(wav)
    mp3 = os.path.join(folder, "tone.mp3")
    subprocess.run(["lame", "--quiet", "-b", "64", wav, mp3], check=True)
    return mp3


def summary(name, values, unit, digits=3):
    return (f"| {name} | {statistics.median(values):.{digits}f} {unit} | "
            f"{min(values):.{digits}f} {unit} | {max(values):.{digits}f} {unit} |")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--wav-runs", type=int, default=5)
    parser.add_argument("--hold", type=float, default=3.0, help="seconds each run is left running")
    parser.add_argument("--music-hold", type=float, default=20.0)
    parser.add_argument("--dist", default=os.path.join(ROOT, "dist"))
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="bench-host-", dir=os.path.join(ROOT, "build"))
    bench = Bench(args.dist, work)
    try:
        runs, bare = [], []
        for _ in range(args.runs):  # interleaved, so that both meet the same machine
            runs.append(bench.one_run(args.hold))
            bare.append(bench.bare_renderer())
        wav = os.path.join(bench.run_dir, "tone.wav")
        tone_wav(wav)
        bench.write_settings(["[Section]", "BGM区分= 2", "BGMﾘﾋﾟｰﾄ= 0",
                              "BGMﾌｧｲﾙ=Z:" + wav.replace("/", "\\")])
        wav_gaps = [bench.scene_to_backdrop_gone(args.hold) for _ in range(args.wav_runs)]
        music = None
        if shutil.which("lame"):
            mp3 = tone_mp3(bench.run_dir)
            windows_path = "Z:" + mp3.replace("/", "\\")
            bench.write_settings(["[Section]", "BGM区分= 2", "BGMﾘﾋﾟｰﾄ= 0", f"BGMﾌｧｲﾙ={windows_path}"])
            music = bench.one_run(args.music_hold)
    finally:
        bench.close()
        shutil.rmtree(work, ignore_errors=True)

    print(f"Saver runs: {len(runs)}, exit code 0 in {sum(r['code'] == 0 for r in runs)}; "
          f"each left running {args.hold:g} s.\n")
    print("| figure | median | min | max |")
    print("|---|---|---|---|")
    print(summary("host start to renderer window", [r["window_s"] for r in runs], "s"))
    print(summary("bare renderer start to its window", bare, "s"))
    print(summary("host's share: the run's figure minus the bare start after it",
                  [r["window_s"] - b for r, b in zip(runs, bare)], "s"))
    print(summary("Escape released to host ended", [r["exit_s"] for r in runs], "s"))
    print(summary("host CPU while the scene runs", [r["cpu_pct"] for r in runs], "%", 2))
    if wav_gaps:
        print(summary(f"scene's window gone to backdrop gone, WAV playing ({len(wav_gaps)} runs)",
                      wav_gaps, "s"))
    if music:
        print(f"\nWith an MP3 playing ({args.music_hold:g} s run): host CPU "
              f"{music['cpu_pct']:.2f} %, exit code {music['code']}.")
    return 0 if all(r["code"] == 0 for r in runs) else 1


if __name__ == "__main__":
    sys.exit(main())
