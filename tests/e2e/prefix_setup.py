"""Makes a fresh Wine prefix for Vantrel: a Japanese font in place of the
dialog's font, focus cues as Windows shows them, no Mono or Gecko. By default the e2e tests' prefix under the
build tree (once per test run); --prefix DIR makes another, and
--decorations has Wine draw title bars itself, for screenshots on a display
without a window manager. make_user_area makes the folder of a standard-user
test run.

Usage: prefix_setup.py [--prefix DIR] [--decorations]"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402

FONTS_REG = """
[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"\uff2d\uff33 \uff30\u30b4\u30b7\u30c3\u30af"="IPAPGothic"
"\uff2d\uff33 \u30b4\u30b7\u30c3\u30af"="IPAGothic"
"MS UI Gothic"="IPAPGothic"
"""

# Focus cues hidden until the keyboard is used, as Windows ships: Wine's
# default mask without its keyboard-cues bit (0x20 of the first byte).
CUES_REG = """
[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"UserPreferencesMask"=hex:10,00,02,80,12,00,00,00
"""

WINE_FONTS = ("marlett.ttf", "tahoma.ttf", "tahomabd.ttf")

DECORATIONS_REG = """
[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"
"""


def make_prefix(prefix, decorations=False, user=None, lang="ja_JP.UTF-8"):
    """A fresh prefix; with `user`, one that Unix user owns and makes; with
    `lang`, one for that locale."""
    shutil.rmtree(prefix, ignore_errors=True)
    work = os.path.dirname(os.path.abspath(prefix))
    os.makedirs(work, exist_ok=True)
    home = None
    if user:
        # Wine takes only a prefix owned by the user who runs it.
        home = os.path.join(work, "home")
        for folder in (prefix, home):
            os.makedirs(folder, exist_ok=True)
            shutil.chown(folder, user)
    xvfb, display = harness.start_xvfb(os.path.join(work, "prefix-xvfb.log"))
    env = harness.base_env(display, home, prefix, lang)

    def wine(*argv):
        return harness.as_user(user, env, argv)

    try:
        # wineboot now and then fails on a busy machine; a second go finishes the prefix.
        with open(os.path.join(work, "wineboot.log"), "ab") as log:
            for _ in range(2):
                booted = subprocess.run(wine("wineboot", "-i"), env=env, stdout=log, stderr=log,
                                        timeout=180, cwd=work)
                if booted.returncode == 0:
                    break
                subprocess.run(wine("wineserver", "-k"), env=env, stderr=subprocess.DEVNULL,
                               cwd=work)
            booted.check_returncode()
        reg = os.path.join(work, "prefix.reg")
        with open(reg, "w", encoding="utf-16") as f:
            f.write("Windows Registry Editor Version 5.00\n" + FONTS_REG + CUES_REG
                    + (DECORATIONS_REG if decorations else ""))
        subprocess.run(wine("wine", "regedit", "/S", harness.to_windows_path(reg)), env=env,
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=120, cwd=work)
        subprocess.run(wine("wineserver", "-w"), env=env, timeout=120, cwd=work)
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


def make_user_area(user):
    """A folder for the standard user's test runs that the user can reach
    wherever the checkout lies: their own prefix, with the root of drive C:
    read-only to them as on current Windows, and a copy of the probe.
    Returns its path; remove_user_area removes it."""
    area = tempfile.mkdtemp(prefix=f"vantrel-{user}-")
    try:
        os.chmod(area, 0o755)
        prefix = os.path.join(area, "prefix")
        make_prefix(prefix, user=user)
        os.chmod(os.path.join(prefix, "drive_c"), 0o555)
        shutil.copy(harness.PROBE, area)
    except BaseException:
        remove_user_area(user, area)
        raise
    return area


def remove_user_area(user, area):
    env = harness.base_env(prefix=os.path.join(area, "prefix"))
    subprocess.run(harness.as_user(user, env, ["wineserver", "-k"]), env=env, cwd=area,
                   stderr=subprocess.DEVNULL, timeout=60)
    shutil.rmtree(area, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--prefix", default=harness.PREFIX)
    parser.add_argument("--decorations", action="store_true")
    opts = parser.parse_args()
    make_prefix(opts.prefix, opts.decorations)
    print("prefix ready:", opts.prefix)


if __name__ == "__main__":
    main()
