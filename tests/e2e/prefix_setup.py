"""Makes a fresh Wine prefix for Vantrel: a Japanese font in place of the
dialog's font, no Mono or Gecko. By default the e2e tests' prefix under the
build tree (once per test run); --prefix DIR makes another, and
--decorations has Wine draw title bars itself, for screenshots on a display
without a window manager.

Usage: prefix_setup.py [--prefix DIR] [--decorations]"""
import argparse
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402

FONTS_REG = """
[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"\uff2d\uff33 \uff30\u30b4\u30b7\u30c3\u30af"="IPAPGothic"
"\uff2d\uff33 \u30b4\u30b7\u30c3\u30af"="IPAGothic"
"MS UI Gothic"="IPAPGothic"
"""

WINE_FONTS = ("marlett.ttf", "tahoma.ttf", "tahomabd.ttf")

DECORATIONS_REG = """
[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"
"""


def make_prefix(prefix, decorations=False):
    shutil.rmtree(prefix, ignore_errors=True)
    work = os.path.dirname(os.path.abspath(prefix))
    os.makedirs(work, exist_ok=True)
    xvfb, display = harness.start_xvfb(os.path.join(work, "prefix-xvfb.log"))
    env = harness.base_env(display)
    env["WINEPREFIX"] = prefix
    try:
        subprocess.run(["wineboot", "-i"], env=env, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=180)
        reg = os.path.join(work, "prefix.reg")
        with open(reg, "w", encoding="utf-16") as f:
            f.write("Windows Registry Editor Version 5.00\n" + FONTS_REG
                    + (DECORATIONS_REG if decorations else ""))
        subprocess.run(["wine", "regedit", "/S", harness.to_windows_path(reg)], env=env,
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=120)
        subprocess.run(["wineserver", "-w"], env=env, timeout=120)
        # Wine's own Tahoma (the panel's font) and Marlett (the title-bar
        # boxes) from Debian's fonts-wine: this Wine does not look there itself.
        fonts = os.path.join(prefix, "drive_c", "windows", "Fonts")
        for name in WINE_FONTS:
            source = os.path.join("/usr/share/wine/fonts", name)
            if os.path.exists(source):
                shutil.copy(source, fonts)
    finally:
        xvfb.terminate()
        xvfb.wait()
    if not os.path.isdir(os.path.join(prefix, "drive_c")):
        sys.exit("wineboot made no drive C:")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--prefix", default=harness.PREFIX)
    parser.add_argument("--decorations", action="store_true")
    opts = parser.parse_args()
    make_prefix(opts.prefix, opts.decorations)
    print("prefix ready:", opts.prefix)


if __name__ == "__main__":
    main()
