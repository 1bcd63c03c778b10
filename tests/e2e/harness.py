"""End-to-end harness: the real programs under Wine + Xvfb.

One WINEPREFIX per build tree (made once by prefix_setup.py), one Xvfb per
test case on a free display, Japanese locale, an ALSA configuration that
captures all played audio into a file, and the Windows-side probe program.
Every process a test starts is ended by id in tearDown.

Standard-user mode (a test class with `user` set): the programs and the
probe run as that unprivileged Unix user in a prefix of the user's own,
inside a folder the user can reach (prefix_setup.make_user_area).
"""
import glob
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

import images

E2E_DIR = os.environ.get("VANTREL_E2E_DIR", os.path.abspath("e2e-work"))
DIST_DIR = os.environ.get("VANTREL_DIST_DIR", "")
PROBE = os.environ.get("VANTREL_PROBE", "")
SETUP = os.environ.get("VANTREL_SETUP", "")
PREFIX = os.path.join(E2E_DIR, "prefix")
DRIVE_C = os.path.join(PREFIX, "drive_c")
VK_ESCAPE = 27
STANDARD_USER = "vantrel-user"  # made by scripts/setup
# What a Wine process needs of its environment when it runs as another user.
WINE_ENV_KEYS = ("WINEPREFIX", "WINEDLLOVERRIDES", "WINEDEBUG", "LANG", "LC_ALL", "DISPLAY", "HOME")


def base_env(display=None, home=None, prefix=PREFIX, lang="ja_JP.UTF-8"):
    """With `lang` en_US.UTF-8 Wine's ANSI code page is 1252 instead of 932."""
    env = dict(os.environ)
    env.update({
        "WINEPREFIX": prefix,
        "WINEDLLOVERRIDES": "mscoree,mshtml=",
        "WINEDEBUG": env.get("VANTREL_WINEDEBUG", "-all"),
        "LANG": lang,
        "LC_ALL": lang,
    })
    if display:
        env["DISPLAY"] = display
    if home:
        env["HOME"] = home
    return env


def as_user(user, env, argv):
    """The command line `argv` run as the Unix user `user`, or as it is for None."""
    if not user:
        return list(argv)
    passed = [f"{key}={env[key]}" for key in WINE_ENV_KEYS if key in env]
    return ["runuser", "-u", user, "--", "env", *passed, *argv]


def start_xvfb(log_path):
    """Starts Xvfb on a display it picks itself; returns (process, ':N')."""
    read_fd, write_fd = os.pipe()
    log = open(log_path, "ab")
    proc = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
         "-noreset"], pass_fds=(write_fd,), stdout=log, stderr=log)
    os.close(write_fd)
    number = b""
    with os.fdopen(read_fd, "rb") as pipe:
        while not number.endswith(b"\n"):
            byte = pipe.read(1)
            if not byte:
                break
            number += byte
    log.close()
    if not number.strip():
        proc.kill()
        raise RuntimeError("Xvfb did not start")
    return proc, ":" + number.decode().strip()


def parse_facts(text):
    """Turns the probe's 'key=value' lines into a dict (title is the rest of its line)."""
    facts = {}
    for line in text.splitlines():
        if line.startswith("title="):
            facts["title"] = line[len("title="):]
            continue
        for item in line.split():
            if "=" in item:
                key, value = item.split("=", 1)
                facts.setdefault(key, value)
    for key in ("left", "top", "width", "height", "client_w", "client_h", "visible", "topmost",
                "pid", "hwnd", "parent", "x", "y", "w", "h", "dpi_x", "dpi_y", "screen_w",
                "screen_h"):
        if key in facts:
            facts[key] = int(facts[key])
    for key in ("style", "exstyle", "classstyle"):
        if key in facts:
            facts[key] = int(facts[key], 16)
    return facts


class WineTestCase(unittest.TestCase):
    """Base class: a display, a clean drive C: root and a place for artefacts."""
    prefix = PREFIX
    probe_exe = None  # None: PROBE
    user = None  # standard-user mode: the Unix user the programs run as
    user_area = None  # and the folder of theirs that holds their prefix and runs

    def setUp(self):
        self.assertTrue(os.path.isdir(self.prefix),
                        f"no Wine prefix at {self.prefix}: run prefix_setup.py")
        self.drive_c = os.path.join(self.prefix, "drive_c")
        self.art_dir = os.path.join(E2E_DIR, "artifacts", self.id().split(".", 1)[-1])
        shutil.rmtree(self.art_dir, ignore_errors=True)
        os.makedirs(self.art_dir)
        # What the programs write goes where their user may write.
        self.run_dir = os.path.join(self.user_area, "run") if self.user else self.art_dir
        if self.user:
            shutil.rmtree(self.run_dir, ignore_errors=True)
            os.makedirs(self.run_dir)
        self.home = os.path.join(self.run_dir, "home")
        os.makedirs(self.home)
        self.capture_path = os.path.join(self.run_dir, "audio.raw")
        with open(os.path.join(self.home, ".asoundrc"), "w") as f:
            f.write('pcm.!default { type file slave.pcm "null" file "%s" format "raw" }\n'
                    'pcm.null { type null }\n' % self.capture_path)
        if self.user:
            subprocess.run(["chown", "-R", self.user, self.run_dir], check=True)
        self.procs = []
        self.xvfb, self.display = start_xvfb(os.path.join(self.art_dir, "xvfb.log"))
        self.env = base_env(self.display, self.home, self.prefix)
        for name in ("Yarrin1.bmp", "Yarrin2.bmp"):
            path = os.path.join(self.drive_c, name)
            if os.path.exists(path):
                os.remove(path)
        # Nor copies in the users' own folders, where the programs put what the
        # root of C: or the program folder refuses.
        for folder in glob.glob(os.path.join(self.drive_c, "users", "*", "AppData", "*", "Vantrel")):
            shutil.rmtree(folder)
        self.addCleanup(self._cleanup)

    def _cleanup(self):
        for proc in self.procs:
            if proc.poll() is None:
                proc.kill()
                proc.wait()
        # The prefix belongs to this test run: its wineserver ends with the test.
        subprocess.run(self.wine_command("wineserver", "-k"), env=self.env,
                       stderr=subprocess.DEVNULL)
        self.xvfb.terminate()
        self.xvfb.wait()
        if self._outcome_failed():
            print(f"\nartifacts of the failed test: {self.art_dir}")

    def _outcome_failed(self):
        outcome = getattr(self, "_outcome", None)
        result = getattr(outcome, "result", None)
        if result is None:
            return False
        return any(test is self for test, _ in result.failures + result.errors)

    # -- processes -------------------------------------------------------------------------
    def wine_command(self, *argv):
        """A Wine command line as this test's programs run: as root or as the standard user."""
        return as_user(self.user, self.env, argv)

    def start(self, exe, *args, log_name=None, env_extra=None):
        """Starts a Windows program under Wine; returns its Popen (pid = the process)."""
        env = dict(self.env)
        env.update(env_extra or {})
        log_name = log_name or os.path.basename(exe)
        out = open(os.path.join(self.art_dir, log_name + ".out"), "ab")
        err = open(os.path.join(self.art_dir, log_name + ".err"), "ab")
        proc = subprocess.Popen(as_user(self.user, env, ["wine", exe, *args]), env=env,
                                stdout=out, stderr=err, stdin=subprocess.DEVNULL,
                                cwd=self.run_dir)
        out.close()
        err.close()
        self.procs.append(proc)
        return proc

    def probe(self, *args, check=True, timeout=60):
        code, text = run_probe(self.env, *args, timeout=timeout, user=self.user,
                               probe=self.probe_exe, cwd=self.run_dir)
        if check and code != 0:
            self.fail(f"probe {' '.join(map(str, args))} exited {code}: {text}")
        return code, text

    def wait_window(self, title, timeout_ms=10000):
        code, text = self.probe("wait", title, timeout_ms, check=False)
        self.assertEqual(code, 0, f"no window titled {title!r} within {timeout_ms} ms")
        return parse_facts(text)

    def window_facts(self, title):
        code, text = self.probe("find", title, check=False)
        return parse_facts(text) if code == 0 else None

    def wait_gone(self, title, timeout_ms=5000):
        code, _ = self.probe("gone", title, timeout_ms, check=False)
        return code == 0

    def press_key(self, title, vk, hold_ms=150):
        """Holds the key down across a few frames, as a person does. Title "-" types where
        Windows sends keys now, without bringing a window forward first."""
        self.probe("key", title, vk, hold_ms)

    def set_screen_dpi(self, dpi):
        """The resolution Wine reports to programs started from now on, back to 96 at the end."""
        key, run = "HKCU\\Control Panel\\Desktop", dict(env=self.env, timeout=60)
        quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **run)
        subprocess.run(self.wine_command("wine", "reg", "add", key, "/v", "LogPixels", "/t",
                                         "REG_DWORD", "/d", str(dpi), "/f"), check=True, **quiet)
        self.addCleanup(subprocess.run, self.wine_command("wine", "reg", "delete", key, "/v",
                                                          "LogPixels", "/f"), **quiet)
        subprocess.run(self.wine_command("wineserver", "-w"), **run)  # the key is on disk

    def wait_exit(self, proc, timeout=10):
        try:
            return proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.fail(f"process {proc.args} did not end within {timeout} s")

    def capture(self, title, name):
        """Captures what the screen shows under the window; keeps a PNG copy."""
        bmp = os.path.join(self.run_dir, name + ".bmp")
        self.probe("capture", title, to_windows_path(bmp))
        image = images.read_bmp(bmp)
        images.write_png(image, os.path.join(self.art_dir, name + ".png"))
        return image

    def capture_when(self, title, name, shows, timeout=8):
        """Captures the window until `shows(image)` holds or the time is up;
        the last capture."""
        shot = []

        def ready():
            shot[:] = [self.capture(title, name)]
            return shows(shot[0])

        wait_until(ready, timeout, interval=0.3)
        return shot[0]

    # -- files -----------------------------------------------------------------------------
    def install_textures(self, globe, glow):
        for source, name in ((globe, "Yarrin1.bmp"), (glow, "Yarrin2.bmp")):
            target = os.path.join(DRIVE_C, name)
            if isinstance(source, bytes):
                with open(target, "wb") as f:
                    f.write(source)
            elif source:
                shutil.copyfile(source, target)


# Now and then Wine cannot start a process at all (no room for the page that
# Windows programs share with the system): it ends with code 1 and this text.
WINE_NOT_STARTED = b"failed to map the shared user data"


def run_probe(env, *args, timeout=60, user=None, probe=None, cwd=None):
    """Runs the probe (PROBE unless named), as `user` if one is given;
    returns (exit code, stdout text). A probe Wine could not start is started
    again: that code 1 is not the probe's answer.

    Its output goes through files, not pipes: Wine's helper processes
    (wineserver, explorer) started by the probe would inherit a pipe and keep
    it open long after the probe itself has ended.
    """
    env = dict(env, WINEDEBUG="-all,err+virtual")  # Wine's start-up failure only
    argv = as_user(user, env, ["wine", probe or PROBE, *map(str, args)])
    for attempt in range(3):
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            proc = subprocess.Popen(argv, env=env, stdout=out, stderr=err,
                                    stdin=subprocess.DEVNULL, cwd=cwd)
            try:
                code = proc.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
                raise
            err.seek(0)
            out.seek(0)
            if code == 0 or attempt == 2 or WINE_NOT_STARTED not in err.read():
                return code, out.read().decode("utf-8", "replace")


def to_windows_path(path):
    """A Linux path as Wine's Z: drive sees it."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wait_until(predicate, timeout, interval=0.05):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(interval)
    return predicate()
