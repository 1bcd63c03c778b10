"""Makes the e2e tests' fresh Wine prefix under the build tree (once per run):
Japanese font replacement for the dialog's font, no Mono or Gecko."""
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402

REG = """Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"\uff2d\uff33 \uff30\u30b4\u30b7\u30c3\u30af"="IPAPGothic"
"\uff2d\uff33 \u30b4\u30b7\u30c3\u30af"="IPAGothic"
"""


def main():
    shutil.rmtree(harness.PREFIX, ignore_errors=True)
    os.makedirs(harness.E2E_DIR, exist_ok=True)
    xvfb, display = harness.start_xvfb(os.path.join(harness.E2E_DIR, "prefix-xvfb.log"))
    env = harness.base_env(display)
    try:
        subprocess.run(["wineboot", "-i"], env=env, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=180)
        reg = os.path.join(harness.E2E_DIR, "fonts.reg")
        with open(reg, "w", encoding="utf-16") as f:
            f.write(REG)
        subprocess.run(["wine", "regedit", "/S", harness.to_windows_path(reg)], env=env,
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=120)
        subprocess.run(["wineserver", "-w"], env=env, timeout=120)
    finally:
        xvfb.terminate()
        xvfb.wait()
    if not os.path.isdir(harness.DRIVE_C):
        sys.exit("wineboot made no drive C:")
    print("prefix ready:", harness.PREFIX)


if __name__ == "__main__":
    main()
