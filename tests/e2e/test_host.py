"""The host Vantrel.scr under Wine: mode dispatch, the single-instance probe,
the saver run with its texture files and its end after the renderer's, the
preview inside a stand-in for the display-settings page, and what Windows
shows of both programs' files."""
import os
import re
import shutil
import struct
import subprocess
import threading
import time
import unittest
from xml.etree import ElementTree

import harness
from harness import VK_ESCAPE, WineTestCase

RENDERER = "Yarrin_VC"
SAVER = "Yarrin_Main"
DIALOG = "<Vantrel>"
MESSAGE_CAPTION = "Vantrel (ScreenSaver)"
MESSAGE_TEXT = "Vantrel.dll が同じﾌｫﾙﾀﾞに見つかりません！"
PREVIEW = "Preview Window"
PAGE = "Probe Parent"
BACKDROP = "Vantrel_Backdrop"
VK_RETURN = 13
RESOURCES = os.path.join(os.environ.get("VANTREL_SOURCE_DIR", "../.."), "host", "resources")
# A DLL that leaves "<its path>.loaded" as it loads (tests/probe/planted_dll.cpp).
PLANTED_DLL = os.path.join(os.path.dirname(harness.PROBE), "planted.dll")
# DLLs outside Windows' KnownDLLs that the programs or the system DLLs load;
# not version.dll, which Wine itself loads before a program's first line.
SYSTEM_DLLS = ("winmm", "opengl32", "glu32", "msimg32", "oleacc", "uxtheme", "dwmapi")


def bmp_pixels(path):
    """(width, height, bit count, pixel rows) of a bitmap file."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    size = (width * 3 + 3) // 4 * 4 * abs(height)
    return width, height, bits, data[offset:offset + size]


class HostTestCase(WineTestCase):
    """A program folder with copies of both deliverables for each test, so
    that settings files and missing renderers stay the test's own."""

    def setUp(self):
        super().setUp()
        # The first Wine program of a session starts Wine's own background
        # programs, which inherit its output; let that be one whose output
        # nobody reads, or a later probe's pipe would stay open.
        subprocess.run(self.wine_command("wine", "hostname.exe"), env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60,
                       cwd=self.run_dir)
        self.folder = os.path.join(self.run_dir, "program")
        os.makedirs(self.folder)
        for deliverable in ("Vantrel.scr", "Vantrel.dll"):
            shutil.copy(os.path.join(harness.DIST_DIR, deliverable), self.folder)

    def plant_system_dlls(self):
        """The planted DLL beside the programs as SYSTEM_DLLS, found there first as on Windows."""
        for name in SYSTEM_DLLS:
            shutil.copy(PLANTED_DLL, os.path.join(self.folder, name + ".dll"))
        self.env["WINEDLLOVERRIDES"] += ";" + ",".join(SYSTEM_DLLS) + "=n,b"

    def start_host(self, arguments=None):
        args = arguments.split(" ") if arguments else []
        return self.start(os.path.join(self.folder, "Vantrel.scr"), *args, log_name="host")

    def write_settings(self, lines):
        """The settings file in the system code page, as the dialog writes it."""
        with open(os.path.join(self.folder, "Vantrel.ini"), "wb") as f:
            f.write("\r\n".join(lines).encode("cp932") + b"\r\n")

    def x_windows(self, title):
        """The X windows of the test's display with exactly this title."""
        found = subprocess.run(["xdotool", "search", "--name", "^" + re.escape(title) + "$"],
                               env=self.env, capture_output=True, text=True, timeout=20)
        return found.stdout.split()

    def end_renderer(self):
        """Escape on the renderer once its frames are on the screen; the moment
        the key was released."""
        code, _ = self.probe("drawn", RENDERER, 10000, check=False)
        self.assertEqual(code, 0, "the renderer drew nothing")
        self.press_key(RENDERER, VK_ESCAPE)
        return time.monotonic()

    def child_texts(self, title):
        """The texts of a window's children, decoded from the code page."""
        _, listing = self.probe("children", title)
        return [bytes.fromhex(line.split(" hex=", 1)[1].split(" ", 1)[0]).decode("cp932")
                for line in listing.splitlines() if line.startswith("child ")]

    def assert_backdrop_goes_with_the_scene(self):
        """Within 100 ms of the scene's X window going, the backdrop's goes too."""
        ending = threading.Thread(target=self.end_renderer)  # polled from before the end
        ending.start()
        gone = {}

        def both_gone():
            for title in (RENDERER, BACKDROP):
                if title not in gone and not self.x_windows(title):
                    gone[title] = time.monotonic()
            return len(gone) == 2

        self.assertTrue(harness.wait_until(both_gone, 15, interval=0.002), "the run did not end")
        ending.join()
        self.assertLess(gone[BACKDROP] - gone[RENDERER], 0.1)

    def assert_host_ends(self, host, timeout=10):
        self.assertEqual(self.wait_exit(host, timeout), 0)

    def assert_told_and_ended(self, host, text, exit_code):
        """The host shows `text` in its message box and, once it is closed, ends."""
        self.wait_window(MESSAGE_CAPTION)
        self.assertFalse(harness.wait_until(lambda: host.poll() is not None, 0.5),
                         "the host did not wait for the message")
        self.assertIn(text, self.child_texts(MESSAGE_CAPTION))
        self.press_key(MESSAGE_CAPTION, VK_RETURN)
        self.assertEqual(self.wait_exit(host), exit_code)

    def assert_textures_written(self, folder=harness.DRIVE_C):
        """Both pictures reach the renderer's files pixel for pixel, in the
        form its reader takes."""
        for written, source, side in (("Yarrin1.bmp", "globe.bmp", 96),
                                      ("Yarrin2.bmp", "glow.bmp", 256)):
            width, height, bits, pixels = bmp_pixels(os.path.join(folder, written))
            self.assertEqual((width, height, bits), (side, side, 24), written)
            self.assertEqual(pixels, bmp_pixels(os.path.join(RESOURCES, source))[3], written)


class SaverRunTest(HostTestCase):
    def test_saver_run_writes_textures_runs_renderer_and_ends_after_escape(self):
        # Files of the very size the run writes, with other bytes, are replaced.
        self.install_textures(bytes(54 + 96 * 96 * 3), bytes(54 + 256 * 256 * 3))
        host = self.start_host("/s")
        self.wait_window(RENDERER)
        saver = self.window_facts(SAVER)
        self.assertIsNotNone(saver, "no saver window during the run")
        self.assertEqual(saver["visible"], 0)

        self.assert_textures_written()

        # A second saver start finds "Yarrin_Main" and ends at once, without
        # a second renderer.
        second = self.start_host("/s")
        self.assert_host_ends(second)
        self.assertFalse(harness.wait_until(lambda: len(self.x_windows(RENDERER)) > 1, 0.7))
        self.assertIsNone(host.poll(), "the running host ended with the second start")

        self.assert_backdrop_goes_with_the_scene()
        self.assert_host_ends(host, 5)
        self.assertIsNone(self.window_facts(SAVER))

    def test_backdrop_hides_the_desktop_and_the_keyboard_stays_with_the_scene(self):
        # Another program covers the screen and is active when the saver starts.
        self.start(harness.PROBE, "parent", "1280", "1024", "60000", log_name="other")
        self.wait_window(PAGE)
        host = self.start_host("/s")
        self.wait_window(RENDERER)
        self.assertTrue(harness.wait_until(lambda: all(
            (self.window_facts(t) or {}).get("topmost") for t in (RENDERER, BACKDROP)), 3))

        def shows(image):  # the scene, beside it, below it
            return [any(any(p) for _, _, p in image.crop(*box).pixels())
                    for box in ((0, 0, 1024, 768), (1024, 0, 256, 768), (0, 768, 1280, 256))]
        # The scene shows above the backdrop, and nothing else shows.
        screen = self.capture_when("-", "backdrop", lambda i: shows(i) == [True, False, False])
        self.assertEqual(shows(screen), [True, False, False])
        # A click beside the scene leaves the keyboard with the renderer.
        self.probe("press", "left", 1150, 900)
        self.press_key("-", VK_ESCAPE)
        self.assert_host_ends(host, 5)  # only once the renderer has gone

    def test_empty_argument_string_runs_the_saver_and_the_scene_ends_with_the_host(self):
        host = self.start_host()
        self.wait_window(RENDERER)
        # Ended from outside, as Task Manager does: the renderer goes with it.
        self.probe("kill", SAVER)
        self.wait_exit(host, 5)
        self.assertTrue(self.wait_gone(RENDERER, 3000), "the renderer outlived its host")

    def test_run_ends_when_the_renderer_never_shows_a_window(self):
        # A program that ends at once in place of the renderer.
        shutil.copy(os.path.join(harness.DRIVE_C, "windows", "system32", "hostname.exe"),
                    os.path.join(self.folder, "Vantrel.dll"))
        host = self.start_host("/s")
        started = time.monotonic()
        self.assert_host_ends(host)
        self.assertLess(time.monotonic() - started, 1.5)
        self.assertTrue(os.path.exists(os.path.join(harness.DRIVE_C, "Yarrin1.bmp")))

    def test_texture_files_keep_their_size_on_a_120_dpi_screen(self):
        self.set_screen_dpi(120)
        host = self.start_host("/s")
        self.wait_window(RENDERER)
        self.assert_textures_written()
        self.end_renderer()
        self.assert_host_ends(host, 5)

    def test_texture_files_that_cannot_be_written_leave_the_run_going(self):
        # Folders in place of both files: every write fails, as on a drive C:
        # root the user may not write to.
        for name in ("Yarrin1.bmp", "Yarrin2.bmp"):
            blocked = os.path.join(harness.DRIVE_C, name)
            os.makedirs(blocked)
            self.addCleanup(shutil.rmtree, blocked, True)
        host = self.start_host("/s")
        self.wait_window(RENDERER)
        self.assertIsNotNone(self.window_facts(SAVER))
        self.end_renderer()
        self.assert_host_ends(host, 5)
        self.assertTrue(os.path.isdir(os.path.join(harness.DRIVE_C, "Yarrin1.bmp")))

    def test_other_arguments_end_without_a_run(self):
        for arguments in ("/a", "s", "/x 12"):
            with self.subTest(arguments=arguments):
                self.assert_host_ends(self.start_host(arguments))
                self.assertIsNone(self.window_facts(RENDERER))
                self.assertFalse(os.path.exists(os.path.join(harness.DRIVE_C, "Yarrin1.bmp")))

    def test_missing_renderer_or_system_dll_is_reported_and_ends_the_host(self):
        # A system DLL Wine does not find: the dialog's first gradient cannot
        # load it; the host ends with ERROR_MOD_NOT_FOUND.
        self.env["WINEDLLOVERRIDES"] += ";msimg32=d"
        self.assert_told_and_ended(self.start_host("/c"), "msimg32.dll を読み込めません！", 126)
        os.remove(os.path.join(self.folder, "Vantrel.dll"))
        for arguments in ("/s", "/c", None):
            with self.subTest(arguments=arguments):
                self.assert_told_and_ended(self.start_host(arguments), MESSAGE_TEXT, 0)
                self.assertIsNone(self.window_facts(DIALOG))
                self.assertIsNone(self.window_facts(RENDERER))

    def test_open_settings_dialog_blocks_every_other_start(self):
        dialog_host = self.start_host("/c")
        self.wait_window(DIALOG)
        for arguments in ("/s", "/p 0", "/c"):
            with self.subTest(arguments=arguments):
                self.assert_host_ends(self.start_host(arguments))
        self.assertIsNone(self.window_facts(RENDERER))
        self.assertIsNone(dialog_host.poll())
        self.probe("close", DIALOG)
        self.assert_host_ends(dialog_host)


@unittest.skipUnless(harness.PROBE, "the probe is built by the windows preset")
class PreviewTest(HostTestCase):
    def start_page(self, life_ms):
        """The stand-in for the display-settings page; (process, handle)."""
        page = self.start(harness.PROBE, "parent", "152", "112", str(life_ms), log_name="page")
        facts = self.wait_window(PAGE)
        return page, facts["hwnd"]

    def preview_children(self):
        code, text = self.probe("children", PAGE, check=False)
        return [line for line in text.splitlines() if line.startswith("child ")] if code == 0 else []

    def test_preview_is_embedded_in_the_page_and_ends_with_it(self):
        page, handle = self.start_page(6000)
        host = self.start_host(f"/p {handle}")
        self.assertTrue(harness.wait_until(
            lambda: any(f"text={PREVIEW}" in c for c in self.preview_children()), 5),
            "no preview window inside the page")
        # A child now, so no top-level window carries its title.
        self.assertIsNone(self.window_facts(PREVIEW))
        child = harness.parse_facts(next(c for c in self.preview_children()
                                         if f"text={PREVIEW}" in c))
        self.assertEqual((child["x"], child["y"], child["w"], child["h"]), (0, 0, 152, 112))
        self.assertTrue(child["style"] & 0x40000000, "WS_CHILD missing")
        self.assertIsNone(host.poll(), "the host ended while its preview area exists")
        # Its pixels are not checked: under Wine 8 here, the drawing of a child
        # window whose parent belongs to another process did not reach the
        # screen (a capture shows the page's own background there).
        self.wait_exit(page, 15)
        self.assert_host_ends(host)

    def test_preview_blocks_neither_saver_nor_dialog(self):
        page, handle = self.start_page(30000)
        preview = self.start_host(f"/p:{handle}")
        harness.wait_until(lambda: self.preview_children(), 5)
        saver = self.start_host("/s")
        self.wait_window(RENDERER)
        self.end_renderer()
        self.assert_host_ends(saver)
        dialog = self.start_host("/c")
        self.wait_window(DIALOG)
        self.probe("close", DIALOG)
        self.assert_host_ends(dialog)
        self.assertIsNone(preview.poll())

    def test_preview_without_a_window_ends_the_host(self):
        for arguments in ("/p", "/p 0", "/p abc", "/p 12345", "/p -77", "/p 99999999999"):
            with self.subTest(arguments=arguments):
                self.assert_host_ends(self.start_host(arguments))

    def test_preview_needs_neither_renderer_nor_settings(self):
        os.remove(os.path.join(self.folder, "Vantrel.dll"))
        page, handle = self.start_page(4000)
        host = self.start_host(f"/p {handle}")
        self.assertTrue(harness.wait_until(lambda: self.preview_children(), 5))
        self.assertIsNone(self.window_facts(MESSAGE_CAPTION))
        self.wait_exit(page, 15)
        self.assert_host_ends(host)


WINDOWS_10_AND_11 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"


def manifest_facts(text):
    """What Windows takes from an application manifest."""
    ns = {"v3": "urn:schemas-microsoft-com:asm.v3", "c": "urn:schemas-microsoft-com:compatibility.v1",
          "ws": "http://schemas.microsoft.com/SMI/2005/WindowsSettings"}
    manifest = ElementTree.fromstring(text)
    return {"level": manifest.find(".//v3:requestedExecutionLevel", ns).get("level"),
            "dpi_aware": manifest.findtext(".//ws:dpiAware", "false", ns) == "true",
            "supported_os": [os_.get("Id") for os_ in manifest.findall(".//c:supportedOS", ns)]}


class ProgramFilesTest(WineTestCase):
    """Properties > Details of both programs, and the name the screen-saver
    list shows, read through Win32 as Windows reads them."""

    def file_resources(self, program):
        path = harness.to_windows_path(os.path.join(harness.DIST_DIR, program))
        _, listing = self.probe("version", path)
        facts = dict(line.split("=", 1) for line in listing.splitlines() if "=" in line)
        for key, value in facts.items():
            if not key.startswith("fixed_") and key != "translation":
                facts[key] = bytes.fromhex(value).decode("cp932")
        return facts

    def test_both_programs_carry_the_product_version_and_their_own_names(self):
        version = os.environ["VANTREL_VERSION"]
        fixed = ".".join((version.split(".") + ["0"] * 4)[:4])
        for program, description in (("Vantrel.scr", "Vantrel スクリーンセーバー"),
                                     ("Vantrel.dll", "Vantrel 描画プログラム")):
            with self.subTest(program):
                facts = self.file_resources(program)
                self.assertEqual(facts.get("translation"), "041104b0")
                self.assertEqual(facts.get("ProductName"), "Vantrel")
                self.assertEqual(facts.get("FileDescription"), description)
                self.assertEqual(facts.get("OriginalFilename"), program)
                self.assertEqual((facts.get("FileVersion"), facts.get("ProductVersion")),
                                 (version, version))
                self.assertEqual((facts.get("fixed_file"), facts.get("fixed_product")),
                                 (fixed, fixed))
                self.assertIn("the Vantrel developers", facts.get("LegalCopyright", ""))
                if program == "Vantrel.scr":
                    self.assertEqual(facts.get("string1"), "Vantrel")
                # Wine reports every window as DPI aware whatever a program declares.
                self.assertEqual(manifest_facts(facts["manifest"]), {
                    "level": "asInvoker", "dpi_aware": program == "Vantrel.scr",
                    "supported_os": [WINDOWS_10_AND_11]})


if __name__ == "__main__":
    unittest.main()
