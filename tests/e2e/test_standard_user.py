"""Vantrel as a standard user of current Windows runs it: the programs run as
an unprivileged Unix user in a Wine prefix of their own, with the root of
drive C: and the program folder read-only to them; and the setup program
and its uninstaller as that user runs them."""
import math
import os
import pathlib
import shutil
import subprocess
import tempfile
import unittest

import harness
import prefix_setup
from test_dialog import PANEL, DialogTestCase, middle
from test_host import DIALOG, PAGE, RENDERER, RESOURCES
from test_host_music import write_tone
from test_renderer import CENTRE, classify, grown

DESKTOP_KEY = "HKCU\\Control Panel\\Desktop"
UNINSTALL_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantrel"
NOTICE = (1080, 2250, 5595, 195)  # twips in the dialog's panel, below the file's name
SHELL_FOLDERS_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders"
SETUP_TITLE = "Vantrel セットアップ"
INSTALLED = ["LICENSE.txt", "README.txt", "Vantrel.dll", "Vantrel.ini", "Vantrel.scr", "uninstall.exe"]


def hard_edges(image, reach=200):
    """Neighbouring pixels near the centre whose red jumps in a way the tint
    does not explain: the edges of solid glow squares. Soft glows have few."""
    edges = 0
    for y in range(CENTRE[1] - reach, CENTRE[1] + reach):
        for x in range(CENTRE[0] - reach, CENTRE[0] + reach):
            r, g, _ = image.pixel(x, y)
            r2, g2, _ = image.pixel(x + 1, y)
            if abs(r - r2) > 25 and abs((r - g) - (r2 - g2)) > 25:
                edges += 1
    return edges


def globe_colours(image):
    """Distinct coarse colours in the ring of globes: an Earth has many, a
    plain white globe next to none."""
    colours = set()
    for x, y, (r, g, b) in image.pixels():
        if r + g + b > 60 and 240 < math.hypot(x - CENTRE[0], y - CENTRE[1]) < 360:
            colours.add((r // 32, g // 32, b // 32))
    return len(colours)


@unittest.skipUnless(os.geteuid() == 0, "running programs as the standard user needs root")
class StandardUserTest(DialogTestCase):
    user = harness.STANDARD_USER

    @classmethod
    def setUpClass(cls):
        # One prefix for the module: making one costs several seconds.
        cls.user_area = prefix_setup.make_user_area(cls.user)
        cls.addClassCleanup(prefix_setup.remove_user_area, cls.user, cls.user_area)
        cls.prefix = os.path.join(cls.user_area, "prefix")
        cls.probe_exe = os.path.join(cls.user_area, os.path.basename(harness.PROBE))

    def user_folder(self, kind):
        """The Vantrel folder in the user's local or roaming application data."""
        return os.path.join(self.drive_c, "users", self.user, "AppData", kind, "Vantrel")

    def wine(self, *argv):
        """A Wine command run to its end as the user: (exit code, output). The
        output goes through a file: Wine's background programs keep a pipe open."""
        with tempfile.TemporaryFile() as out:
            done = subprocess.run(self.wine_command(*argv), env=self.env, stdout=out,
                                  stderr=subprocess.DEVNULL, timeout=120, cwd=self.run_dir)
            out.seek(0)
            return done.returncode, out.read().decode("utf-8", "replace")

    def run_entry(self, name, *switches):
        """The installed-apps entry's command `name` run as Settings → Apps or a
        package manager runs it: (exit code, output)."""
        program, rest = self.reg_values(UNINSTALL_KEY)[name][1:].split('" ', 1)
        return self.wine("wine", program, *rest.split(), *switches)

    def reg_values(self, key):
        """A registry key's values as {name: data}, None where there is no key."""
        code, text = self.wine("wine", "reg", "query", key)
        if code != 0:
            return None
        rows = [line.strip().split("    ") for line in text.splitlines()]
        return {row[0]: row[2] for row in rows if len(row) == 3}

    def saver_run_shot(self):
        """A saver run from the program folder: the screen once the glows have
        grown, then Escape."""
        host = self.start_host("/s")
        self.wait_window(RENDERER)
        shot = self.capture_when(RENDERER, "scene", grown)
        self.end_renderer()
        self.assert_host_ends(host, 5)
        return shot

    def assert_earth_on_the_globes(self, shot):
        counts = classify(shot)
        self.assertGreater(counts["blue_globe"], 1500, counts)
        self.assertLess(counts["white_globe"], 200, counts)
        self.assertGreater(globe_colours(shot), 40)
        return counts

    def test_saver_run_shows_the_earth_on_the_globes_and_soft_glows(self):
        # A cut-short globe file in C: that the user may not replace gives way
        # to the user's own copy; the root of C: takes nothing new.
        junk = os.path.join(self.drive_c, "Yarrin1.bmp")
        with open(os.path.join(RESOURCES, "globe.bmp"), "rb") as f:
            cut_short = f.read()[:3000]
        with open(junk, "wb") as f:
            f.write(cut_short)
        shot = self.saver_run_shot()
        with open(junk, "rb") as f:
            self.assertEqual(f.read(), cut_short)
        self.assertEqual([n for n in os.listdir(self.drive_c) if "Yarrin" in n], ["Yarrin1.bmp"])
        self.assert_textures_written(self.user_folder("Local"))
        counts = self.assert_earth_on_the_globes(shot)
        self.assertGreater(counts["glow"], 3000, counts)
        self.assertLess(hard_edges(shot), 300)

    def test_folders_named_outside_the_code_page_hold_the_textures_and_the_choice(self):
        # A Korean name under the Japanese code page, for the program folder
        # and for the user's application-data folders.
        name = "김민준"
        profile = os.path.join(self.drive_c, "users", name)
        for kind in ("Local", "Roaming"):
            os.makedirs(os.path.join(profile, "AppData", kind))
        subprocess.run(["chown", "-R", self.user, profile], check=True)
        self.addCleanup(shutil.rmtree, profile)
        for value, kind in (("Local AppData", "Local"), ("AppData", "Roaming")):
            self.shell_folder(value, f"C:\\users\\{name}\\AppData\\{kind}")
            self.addCleanup(self.shell_folder, value, f"%USERPROFILE%\\AppData\\{kind}")
        folder = os.path.join(self.run_dir, name)
        os.rename(self.folder, folder)
        self.folder, self.ini = folder, os.path.join(folder, "Vantrel.ini")

        self.assert_earth_on_the_globes(self.saver_run_shot())
        self.assert_textures_written(os.path.join(profile, "AppData", "Local", "Vantrel"))
        host, _ = self.open_dialog()
        self.press("left", *middle(self.layout.kind_caption(1)))
        self.assertEqual(self.wait_selected([1]), [1])
        self.click_button(self.layout.set)
        self.assert_closes(host)
        with open(os.path.join(profile, "AppData", "Roaming", "Vantrel", "Vantrel.ini"), "rb") as f:
            self.assertRegex(f.read().decode("cp932"), r"BGM区分=\s*1")

    def choose_saver(self, path):
        self.assertEqual(self.wine("wine", "reg", "add", DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/d",
                                   path, "/f")[0], 0)

    def shell_folder(self, value, path):
        self.assertEqual(self.wine("wine", "reg", "add", SHELL_FOLDERS_KEY, "/v", value, "/t",
                                   "REG_EXPAND_SZ", "/d", path, "/f")[0], 0)

    def test_setup_installs_for_the_user_and_its_uninstaller_leaves_nothing(self):
        self.assertTrue(os.path.isfile(harness.SETUP), f"no setup program at {harness.SETUP}")
        setup = shutil.copy(harness.SETUP, self.run_dir)  # the user may not reach the build tree
        profile = os.path.join(self.drive_c, "users", self.user)
        self.folder = os.path.join(profile, "AppData", "Local", "Programs", "Vantrel")
        installed = f"C:\\users\\{self.user}\\AppData\\Local\\Programs\\Vantrel"
        uninstaller = installed + "\\uninstall.exe"

        # No screen saver chosen. Cancel on the pages, and a setup into a
        # folder the user may not make, change nothing.
        desktop = self.reg_values(DESKTOP_KEY)
        self.assertNotIn("SCRNSAVE.EXE", desktop)
        pages = self.start(setup, log_name="setup")
        self.wait_window(SETUP_TITLE)
        self.probe("close", SETUP_TITLE)
        self.assertEqual(self.wait_exit(pages), 1)
        self.assertNotEqual(self.wine("wine", setup, "/S", "/D=C:\\Vantrel")[0], 0)
        self.assertIsNone(self.reg_values(UNINSTALL_KEY))
        self.assertEqual(self.reg_values(DESKTOP_KEY), desktop)
        # Uninstalled while the Screen Saver Settings page shows the preview:
        # the preview ends, everything goes, and still no screen saver is chosen.
        self.assertEqual(self.wine("wine", setup, "/S")[0], 0)
        page = self.start(self.probe_exe, "parent", "152", "112", "60000", log_name="page")
        handle = self.wait_window(PAGE)["hwnd"]
        preview = self.start_host(f"/p {handle}")
        self.assertTrue(harness.wait_until(
            lambda: "child " in self.probe("children", PAGE, check=False)[1], 5))
        self.assertEqual(self.run_entry("QuietUninstallString")[0], 0)
        self.assertTrue(harness.wait_until(lambda: not os.path.exists(self.folder), 30))
        self.wait_exit(preview)
        self.probe("close", PAGE)
        self.wait_exit(page)
        self.assertIsNone(self.reg_values(UNINSTALL_KEY))
        self.assertEqual(self.reg_values(DESKTOP_KEY), desktop)

        before = "C:\\windows\\system32\\before.scr"
        self.choose_saver(before)
        self.assertEqual(self.wine("wine", setup, "/S")[0], 0)
        desktop = self.reg_values(DESKTOP_KEY)
        self.assertEqual(desktop["SCRNSAVE.EXE"], installed + "\\Vantrel.scr")
        self.assertEqual(desktop["ScreenSaveActive"], "1")
        entry = self.reg_values(UNINSTALL_KEY)
        for name, data in (("DisplayName", "Vantrel"), ("Publisher", "the Vantrel developers"),
                           ("URLInfoAbout", os.environ["VANTREL_ABOUT_URL"]),
                           ("DisplayVersion", os.environ["VANTREL_VERSION"]),
                           ("InstallLocation", installed),
                           ("DisplayIcon", installed + "\\Vantrel.scr"),
                           ("UninstallString", f'"{uninstaller}" _?={installed}'),
                           ("QuietUninstallString", f'"{uninstaller}" /S _?={installed}'),
                           ("NoModify", "0x1"), ("NoRepair", "0x1")):
            self.assertEqual(entry.get(name), data, name)
        self.assertGreater(int(entry["EstimatedSize"], 16), 0)
        self.assertRegex(entry["InstallDate"], r"^20\d{6}$")
        self.assert_earth_on_the_globes(self.saver_run_shot())

        # The user has picked another saver since, and a swap that a crash cut
        # short left the renderer moved aside and new files not yet in place.
        # The update keeps the settings and the user's saver, and undoes that
        # swap instead of nesting into a Vantrel folder; the uninstaller takes
        # the settings in both places.
        picked = "C:\\windows\\system32\\picked.scr"
        self.choose_saver(picked)
        roaming = self.user_folder("Roaming")
        os.makedirs(roaming)
        for path in (self.folder, roaming):
            open(os.path.join(path, "Vantrel.ini"), "wb").close()
        renderer = os.path.join(self.folder, "Vantrel.dll")
        os.rename(renderer, renderer + ".old")
        for name in ("Vantrel.dll.new", "README.txt.new"):
            open(os.path.join(self.folder, name), "wb").close()
        subprocess.run(["chown", "-R", self.user, self.folder, roaming], check=True)
        self.assertEqual(self.wine("wine", setup, "/S")[0], 0)
        self.assertEqual(sorted(os.listdir(self.folder)), INSTALLED)
        self.assertEqual(self.reg_values(DESKTOP_KEY)["SCRNSAVE.EXE"], picked)
        # Another program holds the renderer: the update fails half-way, says
        # so, and leaves the install as it was.
        holder = self.start(self.probe_exe, "hold", installed + "\\Vantrel.dll", log_name="hold")
        self.wait_window("Probe Holder")
        entry = self.reg_values(UNINSTALL_KEY)
        self.assertEqual(self.wine("wine", setup, "/S")[0], 2)
        self.assertEqual(sorted(os.listdir(self.folder)), INSTALLED)
        self.assertEqual(self.reg_values(UNINSTALL_KEY), entry)
        self.probe("close", "Probe Holder")
        self.wait_exit(holder)
        self.choose_saver(installed + "\\Vantrel.scr")

        # Into a folder with another program's files: Vantrel goes into a
        # Vantrel folder inside it, with the settings, and leaves them alone.
        other = os.path.join(profile, "Other")
        os.makedirs(other)
        for name in ("uninstall.exe", "README.txt"):
            with open(os.path.join(other, name), "w") as f:
                f.write("the other program's")
        subprocess.run(["chown", "-R", self.user, other], check=True)
        self.assertEqual(self.wine("wine", setup, "/S", f"/D=C:\\users\\{self.user}\\Other")[0], 0)
        self.assertFalse(os.path.exists(self.folder))
        self.folder = os.path.join(other, "Vantrel")
        self.assertTrue(os.path.exists(os.path.join(self.folder, "Vantrel.ini")))
        # The Start menu's way back names the programs in their new folder.
        links = os.path.join(profile, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu",
                             "Programs", "Vantrel")
        host = f"C:\\users\\{self.user}\\Other\\Vantrel\\Vantrel.scr"
        # A link keeps its target's path in the code page, its arguments in UTF-16.
        wanted = [("C:\\windows\\system32\\rundll32.exe", "desk.cpl,InstallScreenSaver " + host),
                  (host, "/c")]
        found = [[t.encode("cp932") in link and a.encode("utf-16-le") in link for t, a in wanted]
                 for link in (pathlib.Path(links, name).read_bytes() for name in os.listdir(links))]
        self.assertEqual(sorted(found), [[False, True], [True, False]])

        # Vantrel.dll cannot be deleted: the uninstall says so and removes
        # nothing; once it can be, the same uninstall removes everything.
        renderer = os.path.join(self.folder, "Vantrel.dll")
        os.rename(renderer, renderer + ".kept")
        os.makedirs(renderer)
        open(os.path.join(renderer, "x"), "w").close()
        os.chmod(renderer, 0o555)
        self.assertNotEqual(self.run_entry("QuietUninstallString")[0], 0)
        self.assertTrue(os.path.exists(os.path.join(self.folder, "uninstall.exe")))
        self.assertEqual(self.reg_values(DESKTOP_KEY)["SCRNSAVE.EXE"], host)
        host_file = os.path.join(self.folder, "Vantrel.scr")
        self.assertTrue(os.path.exists(host_file))
        os.chmod(renderer, 0o755)
        shutil.rmtree(renderer)
        os.rename(renderer + ".kept", renderer)
        # What a swap cut short at its end left goes too, with the shortcuts;
        # the uninstaller's own file goes once it has ended.
        subprocess.run(["runuser", "-u", self.user, "--", "touch", host_file + ".old"], check=True)
        self.assertEqual(self.run_entry("UninstallString", "/S")[0], 0)
        self.wine("wineserver", "-w")
        left = [os.path.join(path, name) for path, folders, files in os.walk(profile)
                for name in folders + files if "vantrel" in name.lower() or "~nsu" in name]
        self.assertEqual(left, [])
        for name in ("uninstall.exe", "README.txt"):
            with open(os.path.join(other, name)) as f:
                self.assertEqual(f.read(), "the other program's")
        self.assertIsNone(self.reg_values(UNINSTALL_KEY))
        desktop = self.reg_values(DESKTOP_KEY)
        self.assertEqual(desktop.get("SCRNSAVE.EXE"), before)
        self.assertNotIn("ScreenSaveActive", desktop)

    def test_set_keeps_the_choice_where_the_next_start_reads_it_or_stays_open(self):
        # Written by hand beside the host; the folder and the file are root's.
        self.write_keys(kind=0, track=0, path="")
        with open(self.ini, "rb") as f:
            by_hand = f.read()
        song = os.path.join(self.run_dir, "曲.wav")
        write_tone(song)
        roaming = self.user_folder("Roaming")
        user_ini = os.path.join(roaming, "Vantrel.ini")

        # Nothing writable (the user's Vantrel folder is root's too): Set
        # leaves the dialog open and says so; Escape still closes it.
        os.mkdir(roaming, 0o555)
        self.addCleanup(shutil.rmtree, roaming, ignore_errors=True)
        host, _ = self.open_dialog()
        self.click_button(self.layout.set)
        self.assertFalse(self.wait_gone(DIALOG, 500), "the dialog closed as if saved")
        self.assertTrue(harness.wait_until(lambda: self.notice_shown(self.client_shot()), 3))
        self.press_key("-", harness.VK_ESCAPE)
        self.assert_closes(host)
        os.rmdir(roaming)

        self.choose_sound_file_and_set(song)
        with open(self.ini, "rb") as f:
            self.assertEqual(f.read(), by_hand)
        self.assertEqual(self.key("BGM区分", user_ini).strip(), "2")
        self.assertEqual(self.key("BGMﾘﾋﾟｰﾄ", user_ini).strip(), "0")
        self.assertEqual(self.key("BGMﾌｧｲﾙ", user_ini), harness.to_windows_path(song))
        self.assertGreater(self.seconds_played_by_a_saver_run(), 1.5)

        # The program folder becomes the user's: the dialog still shows the
        # user's choice, and Set now writes beside the host and drops the copy.
        subprocess.run(["chown", "-R", self.user, self.folder], check=True)
        host, _ = self.open_dialog()
        self.assertEqual(self.selected_kinds(self.client_shot()), [2])
        self.press("left", *middle(self.layout.kind_caption(0)))
        self.assertEqual(self.wait_selected([0]), [0])
        self.click_button(self.layout.set)
        self.assert_closes(host)
        self.assertEqual(self.key("BGM区分").strip(), "0")
        self.assertEqual(self.key("BGMﾌｧｲﾙ"), harness.to_windows_path(song))
        self.assertFalse(os.path.exists(user_ini))

        # A newer per-user file that can be neither removed nor written (its
        # folder is root's, it is read-only) is read; a Set beside the host
        # closes the dialog: that file is now the newer, the one read next.
        with open(user_ini, "wb") as f:
            f.write("[Section]\r\nBGM区分=2\r\n".encode("cp932"))
        subprocess.run(["chown", self.user, user_ini], check=True)
        os.chmod(user_ini, 0o444)
        subprocess.run(["chown", "root", roaming], check=True)
        os.chmod(roaming, 0o555)
        host, _ = self.open_dialog()
        self.assertEqual(self.selected_kinds(self.client_shot()), [2])
        self.press("left", *middle(self.layout.kind_caption(1)))
        self.assertEqual(self.wait_selected([1]), [1])
        self.click_button(self.layout.set)
        self.assert_closes(host)
        self.assertEqual(self.key("BGM区分").strip(), "1")
        self.assertEqual(self.key("BGM区分", user_ini).strip(), "2")

    def notice_shown(self, shot):
        """Whether the notice line below the file's name shows its pale yellow text."""
        left, top, width, height = self.layout.rect(NOTICE, inside=PANEL)
        notice = shot.crop(left, top, width, height)
        return sum(r - b > 40 for _, _, (r, _, b) in notice.pixels()) > 20


if __name__ == "__main__":
    unittest.main()
