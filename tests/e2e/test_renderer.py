"""The renderer Vantrel.dll alone: its window, its scene, and how it ends."""
import math
import os
import unittest

import harness
from harness import VK_ESCAPE, WineTestCase

TITLE = "Yarrin_VC"
RESOURCES = os.path.join(os.environ.get("VANTREL_SOURCE_DIR", "../.."), "host", "resources")
WS_POPUP, WS_VISIBLE, WS_CLIPSIBLINGS, WS_CLIPCHILDREN = 0x80000000, 0x10000000, 0x04000000, 0x02000000
CS_OWNDC_HREDRAW_VREDRAW = 0x23
CENTRE = (512, 384)


def classify(image):
    """Counts the pixels that belong to each part of the scene."""
    counts = {"star": 0, "blue_globe": 0, "white_globe": 0, "glow": 0, "lit": 0}
    for x, y, (r, g, b) in image.pixels():
        if r + g + b < 30:
            continue
        counts["lit"] += 1
        distance = math.hypot(x - CENTRE[0], y - CENTRE[1])
        if r > b + 60 and r > 120 and distance < 300:
            counts["glow"] += 1
        elif b > r + 25 and b > 60:
            counts["blue_globe"] += 1
        elif min(r, g, b) >= 250 and distance > 240:
            counts["white_globe"] += 1
        elif distance > 360 and abs(r - g) < 8 and abs(g - b) < 8 and r >= 100:
            counts["star"] += 1
    return counts


def grown(image):
    """Whether the glow sprites have grown to their usual size yet."""
    return classify(image)["glow"] > 3000


class RendererTest(WineTestCase):
    def start_renderer(self, *args, env_extra=None):
        proc = self.start(os.path.join(harness.DIST_DIR, "Vantrel.dll"), *args,
                          env_extra=env_extra)
        facts = self.wait_window(TITLE)
        return proc, facts

    def end_with_escape(self, proc):
        self.press_key(TITLE, VK_ESCAPE)
        self.assertEqual(self.wait_exit(proc), 0)
        self.assertTrue(self.wait_gone(TITLE, 2000), "the window outlived Escape")

    def test_window_class_title_style_and_rectangle(self):
        proc, _ = self.start_renderer(env_extra={"WINEDEBUG": "-all,+debugstr"})
        harness.wait_until(lambda: (self.window_facts(TITLE) or {}).get("visible") == 1, 5)
        facts = self.window_facts(TITLE)
        self.assertEqual(facts["class"], TITLE)
        self.assertEqual(facts["title"], TITLE)
        self.assertEqual(facts["style"], WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN)
        self.assertEqual(facts["classstyle"], CS_OWNDC_HREDRAW_VREDRAW)
        self.assertEqual((facts["left"], facts["top"], facts["width"], facts["height"]),
                         (0, 0, 1024, 768))
        self.assertEqual(facts["topmost"], 0)
        self.assertGreater(facts["pid"], 0)
        self.end_with_escape(proc)
        with open(os.path.join(self.art_dir, "Vantrel.dll.err"), errors="replace") as f:
            debug = f.read()
        self.assertRegex(debug, r'"PixelFormat Selected: [1-9][0-9]*\\nBPP: (24|32)\\n"')

    def test_scene_shows_stars_textured_globes_and_glows(self):
        self.install_textures(os.path.join(RESOURCES, "globe.bmp"),
                              os.path.join(RESOURCES, "glow.bmp"))
        proc, _ = self.start_renderer()
        counts = classify(self.capture_when(TITLE, "scene", grown))
        self.assertGreater(counts["star"], 150, counts)
        self.assertGreater(counts["blue_globe"], 1500, counts)
        self.assertGreater(counts["glow"], 3000, counts)
        self.assertLess(counts["white_globe"], 200, counts)
        self.end_with_escape(proc)

    def test_missing_textures_give_white_globes_and_square_glows(self):
        proc, _ = self.start_renderer()
        counts = classify(self.capture_when(TITLE, "untextured", grown))
        self.assertGreater(counts["white_globe"], 1500, counts)
        self.assertLess(counts["blue_globe"], 50, counts)
        self.assertGreater(counts["glow"], 3000, counts)
        self.assertGreater(counts["star"], 150, counts)
        self.end_with_escape(proc)

    def test_corrupt_textures_behave_like_missing_ones(self):
        with open(os.path.join(RESOURCES, "glow.bmp"), "rb") as f:
            glow = f.read()
        truncated = glow[:len(glow) // 2]
        self.install_textures(b"this is not a bitmap at all, just text" * 10, truncated)
        proc, _ = self.start_renderer()
        counts = classify(self.capture_when(TITLE, "corrupt", grown))
        self.assertGreater(counts["white_globe"], 1500, counts)
        self.assertLess(counts["blue_globe"], 50, counts)
        self.assertGreater(counts["glow"], 3000, counts)
        self.end_with_escape(proc)

    def test_close_message_ends_with_exit_code_zero(self):
        proc, _ = self.start_renderer()
        self.probe("drawn", TITLE, 10000)
        self.probe("close", TITLE)
        self.assertEqual(self.wait_exit(proc), 0)
        self.assertTrue(self.wait_gone(TITLE, 2000))

    def test_arguments_change_nothing(self):
        proc, facts = self.start_renderer("/s", "--anything", "1234")
        harness.wait_until(lambda: (self.window_facts(TITLE) or {}).get("visible") == 1, 5)
        facts = self.window_facts(TITLE)
        self.assertEqual((facts["left"], facts["top"], facts["width"], facts["height"]),
                         (0, 0, 1024, 768))
        counts = classify(self.capture_when(TITLE, "with_arguments",
                                            lambda image: classify(image)["star"] > 150))
        self.assertGreater(counts["star"], 150, counts)
        self.end_with_escape(proc)

    def test_other_keys_are_only_recorded(self):
        proc, _ = self.start_renderer()
        self.probe("drawn", TITLE, 10000)
        # Another key changes nothing; the renderer keeps drawing.
        self.press_key(TITLE, 0x41)
        self.assertFalse(self.wait_gone(TITLE, 500))
        self.assertIsNone(proc.poll())
        self.end_with_escape(proc)


if __name__ == "__main__":
    unittest.main()
