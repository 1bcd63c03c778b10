"""The settings dialog of Vantrel.scr under Wine: its window, gradients,
captions, marks and buttons as the screen shows them; hover faces; choosing
a kind with any mouse button; the real file chooser; Set, Cancel and the
close box as the settings file sees them (read through the profile API)."""
import os
import subprocess
import unittest

import harness
import images
import prefix_setup
from test_host import DIALOG, RENDERER, RESOURCES, SAVER, HostTestCase
from test_host_music import seconds_of_sound, write_tone

CHOOSER = "ﾌｧｲﾙを開く"
VK_TAB, VK_SHIFT, VK_RETURN, VK_SPACE, VK_UP, VK_DOWN = 9, 16, 13, 32, 38, 40

# The designed rectangles (left, top, width, height) in twips of the dialog's
# client area; the panel's controls are given inside the panel.
CLIENT = (7440, 3645)
PANEL = (180, 240, 7035, 2475)
SET = (4860, 3000, 1155, 375)
CANCEL = (6060, 3000, 1155, 375)
FILE_BUTTON = (420, 1740, 615, 315)
MARK_LEFT, KIND_LEFT, ROW_HEIGHT = 420, 660, 195
ROW_TOP = {1: 840, 0: 1140, 2: 1440}  # rows 1, 0, 2 from the top of the panel
KIND_WIDTH = {0: 330, 1: 645, 2: 900}
MARK_SIDE = 12  # pixels: the mark pictures are shown at their own size


class Layout:
    """The designed rectangles in client pixels, at the screen's resolution."""

    def __init__(self, dpi_x, dpi_y):
        self.dpi_x, self.dpi_y = dpi_x, dpi_y
        self.panel = self.rect(PANEL)
        self.set = self.rect(SET)
        self.cancel = self.rect(CANCEL)
        self.file_button = self.rect(FILE_BUTTON, inside=PANEL)

    def x(self, twips):
        return int(twips * self.dpi_x / 1440 + 0.5)

    def y(self, twips):
        return int(twips * self.dpi_y / 1440 + 0.5)

    def rect(self, twips, inside=(0, 0)):
        left, top = self.x(inside[0]) + self.x(twips[0]), self.y(inside[1]) + self.y(twips[1])
        return left, top, self.x(twips[2]), self.y(twips[3])

    def mark(self, kind):
        return self.rect((MARK_LEFT, ROW_TOP[kind], ROW_HEIGHT, ROW_HEIGHT), inside=PANEL)

    def kind_caption(self, kind):
        return self.rect((KIND_LEFT, ROW_TOP[kind], KIND_WIDTH[kind], ROW_HEIGHT), inside=PANEL)


def middle(rect):
    return rect[0] + rect[2] // 2, rect[1] + rect[3] // 2


def skin(name):
    return images.read_bmp(os.path.join(RESOURCES, f"button_{name}.bmp"))


def mark(selected):
    return images.read_bmp(os.path.join(RESOURCES,
                                        "mark_selected.bmp" if selected else "mark_unselected.bmp"))


def close_to(a, b, tolerance=6):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


class DialogTestCase(HostTestCase):
    def setUp(self):
        super().setUp()
        self.ini = os.path.join(self.folder, "Vantrel.ini")
        self.shots = 0

    # -- the program and its file ------------------------------------------------------------
    def write_keys(self, kind=None, track=None, path=None):
        """A hand-written settings file with the given keys only."""
        lines = ["[Section]"]
        if kind is not None:
            lines.append(f"BGM区分={kind}")
        if track is not None:
            lines.append(f"BGMﾘﾋﾟｰﾄ={track}")
        if path is not None:
            lines.append(f"BGMﾌｧｲﾙ={path}")
        self.write_settings(lines)

    def open_dialog(self, argument="/c"):
        """Starts the host with the configure argument and waits until the dialog
        shows its painted background; (host, window facts)."""
        host = self.start_host(argument)
        self.wait_window(DIALOG)
        # Shown only after its load has placed it.
        self.assertTrue(harness.wait_until(lambda: (self.window_facts(DIALOG) or {}).get("visible"),
                                           5), "the dialog was not shown")
        client = harness.parse_facts(self.probe("client", DIALOG)[1])
        self.origin = client["x"], client["y"]
        self.layout = Layout(client["dpi_x"], client["dpi_y"])
        self.screen = client["screen_w"], client["screen_h"]
        # The window gradient is brightest half-way down once the first paint is on screen.
        self.assertTrue(harness.wait_until(
            lambda: close_to(self.client_shot().pixel(3, client["h"] // 2), (220, 220, 250)), 5),
            "the dialog did not paint its background")
        return host, self.window_facts(DIALOG)

    def key(self, name, ini=None):
        """A settings key as the profile API reads it in code page 932; None when absent."""
        code, text = self.probe("profile", harness.to_windows_path(ini or self.ini), "Section",
                                name, check=False)
        if code != 0:
            return None
        value = text.strip().split("=", 1)[1]
        return bytes.fromhex(value).decode("cp932")

    # -- the screen --------------------------------------------------------------------------
    def at(self, x, y):
        """A client point of the dialog as a screen point."""
        return self.origin[0] + x, self.origin[1] + y

    def client_shot(self):
        """The dialog's client area as the screen shows it."""
        self.shots += 1
        whole = self.capture(DIALOG, f"dialog{self.shots}")
        facts = self.window_facts(DIALOG)
        return whole.crop(self.origin[0] - facts["left"], self.origin[1] - facts["top"],
                          facts["client_w"], facts["client_h"])

    def press(self, button, x, y):
        self.probe("press", button, *self.at(x, y))

    def move_to(self, x, y):
        self.probe("move", *self.at(x, y))

    def click_button(self, rect, button="left"):
        """Points at a button until it shows its hover face, then presses and releases
        there, as a user does."""
        x, y = middle(rect)
        self.move_to(x - 2, y - 1)
        self.move_to(x, y)
        hover = skin("highlight").pixel(20, 2)
        harness.wait_until(lambda: close_to(self.button_band(self.client_shot(), rect), hover), 3)
        self.press(button, x, y)

    def selected_kinds(self, shot):
        """The kinds whose mark shows the selected picture."""
        chosen, plain = mark(True), mark(False)
        found = []
        for kind in ROW_TOP:
            left, top, _, _ = self.layout.mark(kind)
            face = shot.crop(left, top, MARK_SIDE, MARK_SIDE)
            same_selected = sum(face.pixel(x, y) == chosen.pixel(x, y)
                                for x in range(MARK_SIDE) for y in range(MARK_SIDE))
            same_plain = sum(face.pixel(x, y) == plain.pixel(x, y)
                             for x in range(MARK_SIDE) for y in range(MARK_SIDE))
            self.assertGreater(max(same_selected, same_plain), 130, f"mark {kind} not drawn")
            if same_selected > same_plain:
                found.append(kind)
        return found

    def wait_selected(self, kinds):
        """The selected kinds once they are `kinds`, or as they stand after a while."""
        found = []

        def shown():
            found[:] = self.selected_kinds(self.client_shot())
            return found == kinds

        harness.wait_until(shown, 3)
        return found

    def combo_enabled(self):
        text = self.probe("children", DIALOG)[1]
        for line in text.splitlines():
            if "class=ComboBox" in line:
                style = int(line.split("style=")[1].split()[0], 16)
                return not style & 0x08000000
        self.fail("no combo box in the dialog")

    def combo_text(self):
        text = self.probe("children", DIALOG)[1]
        for line in text.splitlines():
            if "class=ComboBox" in line:
                return line.split("text=", 1)[1]
        self.fail("no combo box in the dialog")

    def button_band(self, shot, rect):
        """The pixel on the second row of a button's top band, a third along."""
        return shot.pixel(rect[0] + rect[2] // 3, rect[1] + 2)

    def assert_closes(self, host):
        self.assertTrue(self.wait_gone(DIALOG, 5000), "the dialog stayed open")
        self.assertEqual(self.wait_exit(host, 10), 0)

    def choose_sound_file_and_set(self, song):
        """In a dialog of its own: the sound-file kind, `song` in the real file chooser, Set."""
        host, _ = self.open_dialog()
        self.press("left", *middle(self.layout.kind_caption(2)))
        self.assertEqual(self.wait_selected([2]), [2])
        self.click_button(self.layout.file_button)
        self.probe("choose", CHOOSER, harness.to_windows_path(song), 10000)
        self.assertTrue(self.wait_gone(CHOOSER, 5000), "the file chooser stayed open")
        # A bare spot first: Wine's closed chooser takes the first click.
        self.press("left", *middle(self.layout.rect((4500, 2850, 0, 0))))
        self.click_button(self.layout.set)
        self.assert_closes(host)

    def seconds_played_by_a_saver_run(self):
        """A saver run until 1.5 s of sound were played (at most 10 s: a busy
        machine starts the sound late); the seconds played."""
        saver = self.start_host("/s")
        self.wait_window(RENDERER)
        harness.wait_until(lambda: seconds_of_sound(self.capture_path) > 1.5, 10, interval=0.5)
        self.press_key(RENDERER, harness.VK_ESCAPE)
        self.assertEqual(self.wait_exit(saver, 10), 0)
        return seconds_of_sound(self.capture_path)


class DialogLookTest(DialogTestCase):
    def test_configure_shows_the_dialog_at_its_size_and_place(self):
        for argument in ("/c", "/c:1234"):
            with self.subTest(argument=argument):
                host, facts = self.open_dialog(argument)
                layout = self.layout
                self.assertEqual((facts["client_w"], facts["client_h"]),
                                 (layout.x(CLIENT[0]), layout.y(CLIENT[1])))
                # Centred across, a third of the free height down (in twips, then pixels).
                twips_x, twips_y = 1440 / layout.dpi_x, 1440 / layout.dpi_y
                left = round((self.screen[0] - facts["width"]) * twips_x) // 2
                top = round((self.screen[1] - facts["height"]) * twips_y) // 3
                self.assertLessEqual(abs(facts["left"] - left / twips_x), 1)
                self.assertLessEqual(abs(facts["top"] - top / twips_y), 1)
                self.assertEqual(facts["class"], "VantrelForm")
                self.assertFalse(facts["style"] & 0x00020000, "minimise box")  # WS_MINIMIZEBOX
                self.assertFalse(facts["style"] & 0x00040000, "sizing border")  # WS_THICKFRAME
                self.probe("close", DIALOG)
                self.assert_closes(host)

    def test_gradients_panel_captions_marks_and_buttons_are_on_screen(self):
        self.write_keys(kind=1, track=3)
        host, _ = self.open_dialog()
        layout = self.layout
        shot = self.client_shot()
        # Window gradient: dark blue at the top and bottom edge, pale in the middle.
        bottom = shot.height - 1
        self.assertTrue(close_to(shot.pixel(3, 0), (0, 0, 30)), shot.pixel(3, 0))
        self.assertTrue(close_to(shot.pixel(3, bottom), (0, 0, 30)), shot.pixel(3, bottom))
        self.assertTrue(close_to(shot.pixel(3, bottom // 2), (220, 220, 250)))
        # Panel gradient: grey at its edges, near white in its middle.
        px, py, pw, ph = layout.panel
        self.assertTrue(close_to(shot.pixel(px + pw - 4, py), (30, 30, 30)))
        self.assertTrue(close_to(shot.pixel(px + pw - 4, py + ph // 2), (250, 250, 250)))
        # Kind 1 is selected and its track box is on.
        self.assertEqual(self.selected_kinds(shot), [1])
        self.assertTrue(self.combo_enabled())
        self.assertEqual(self.combo_text(), "3")
        # Captions: dark glyph pixels inside every kind caption, white text at the bottom.
        for kind in (0, 1, 2):
            x, y, w, h = layout.kind_caption(kind)
            dark = sum(1 for xx in range(x, x + w) for yy in range(y, y + h)
                       if sum(shot.pixel(xx, yy)) < 200)
            self.assertGreater(dark, 15, f"caption of kind {kind}")
        credit = layout.rect((180, 2880, 2475, 195))
        white = sum(1 for xx in range(credit[0], credit[0] + credit[2])
                    for yy in range(credit[1], credit[1] + credit[3])
                    if min(shot.pixel(xx, yy)) > 200)
        self.assertGreater(white, 40, "credit line")
        # The two main buttons show the normal skin's frame line, the file button the disabled one.
        for rect in (layout.set, layout.cancel):
            self.assertTrue(close_to(shot.pixel(rect[0] + 30, rect[1] + 1), (0x00, 0x3C, 0x74)))
        self.assertTrue(close_to(shot.pixel(layout.file_button[0] + 20, layout.file_button[1] + 1),
                                 (0xC9, 0xC7, 0xBA)))
        images.write_png(shot, os.path.join(self.art_dir, "client.png"))
        self.probe("close", DIALOG)
        self.assert_closes(host)

    def test_button_frames_are_whole_at_120_and_144_dpi(self):
        for dpi in (120, 144):
            with self.subTest(dpi=dpi):
                self.set_screen_dpi(dpi)
                host, _ = self.open_dialog()
                shot = self.client_shot()
                self.probe("close", DIALOG)
                self.assert_closes(host)
                self.assertEqual(self.layout.dpi_x, dpi)
                frame = round(60 * dpi / 1440)  # the skin's four frame pixels on this screen
                for rect, face in ((self.layout.set, "normal"), (self.layout.cancel, "normal"),
                                   (self.layout.file_button, "disable")):
                    x, y, w, h = rect
                    # Inwards from every side at its middle and both ends (the corners):
                    # the skin's outer ring, then its frame line.
                    walks = [(x + a, top, 0, step) for a in (frame - 1, w // 2, w - frame)
                             for top, step in ((y, 1), (y + h - 1, -1))]
                    walks += [(left, y + a, step, 0) for a in (frame - 1, h // 2, h - frame)
                              for left, step in ((x, 1), (x + w - 1, -1))]
                    colour = skin(face).pixel(32, 1)
                    for px, py, dx, dy in walks:
                        line = [close_to(shot.pixel(px + dx * d, py + dy * d), colour, 12)
                                for d in range(frame // 2 + 1)]
                        self.assertTrue(not line[0] and any(line), f"{face} face at {px},{py}")

    def test_pointer_over_a_button_shows_the_hover_face_and_leaving_restores_it(self):
        host, _ = self.open_dialog()
        target = self.layout.set
        normal = self.button_band(self.client_shot(), target)
        self.move_to(target[0] + 20, target[1] + 12)
        self.move_to(target[0] + 22, target[1] + 13)
        highlight = skin("highlight").pixel(20, 2)
        self.assertTrue(harness.wait_until(
            lambda: close_to(self.button_band(self.client_shot(), target), highlight), 3),
            f"no hover band {highlight}")
        self.move_to(*middle(self.layout.rect((3000, 3450, 0, 0))))  # over the dialog itself
        self.assertTrue(harness.wait_until(
            lambda: self.button_band(self.client_shot(), target) == normal, 3))
        self.assertTrue(close_to(normal, skin("normal").pixel(20, 2)))
        self.probe("close", DIALOG)
        self.assert_closes(host)


class DialogKindTest(DialogTestCase):
    def test_any_button_on_a_mark_or_caption_selects_its_kind(self):
        self.write_keys(kind=0)
        host, _ = self.open_dialog()
        layout = self.layout
        self.assertEqual(self.selected_kinds(self.client_shot()), [0])
        self.assertFalse(self.combo_enabled())
        steps = [("left", layout.kind_caption(1), 1), ("left", layout.kind_caption(2), 2),
                 ("right", layout.kind_caption(0), 0), ("middle", layout.mark(1), 1),
                 ("left", layout.mark(2), 2), ("left", layout.mark(2), 2)]
        for button, rect, kind in steps:
            self.press(button, *middle(rect))
            self.assertEqual(self.wait_selected([kind]), [kind], f"{button} on {rect}")
            self.assertEqual(self.combo_enabled(), kind == 1)
            frame = self.client_shot().pixel(layout.file_button[0] + 20,
                                             layout.file_button[1] + 1)
            enabled_frame = close_to(frame, (0x00, 0x3C, 0x74), 12)
            self.assertEqual(enabled_frame, kind == 2, f"file button frame {frame}")
        self.probe("close", DIALOG)
        self.assert_closes(host)


class DialogKeyboardTest(DialogTestCase):
    def test_tab_moves_the_focus_through_the_enabled_controls_and_escape_cancels(self):
        song = os.path.join(self.art_dir, "song.mp3")
        with open(song, "wb") as f:
            f.write(bytes(400))
        # Kind 2 with a file that exists, so that "..." is enabled.
        self.write_keys(kind=2, track=0, path=harness.to_windows_path(song))
        with open(self.ini, "rb") as f:
            before = f.read()
        host, _ = self.open_dialog()
        layout = self.layout
        self.probe("move", 2, 2)  # the pointer away from every button
        selected = skin("selected").pixel(20, 2)

        def focused():
            shot = self.client_shot()
            return [name for name, rect in (("file", layout.file_button), ("set", layout.set),
                                            ("cancel", layout.cancel))
                    if close_to(self.button_band(shot, rect), selected)]

        self.assertEqual(focused(), [])  # the panel holds the focus first
        # Its focus cue, around the chosen kind, is hidden until the first key.
        left, top, width, height = layout.kind_caption(2)
        cue = lambda: self.client_shot().crop(left - 3, top - 2, width + 6, height + 4).rows
        opening = cue()
        self.press_key("-", VK_SHIFT)
        self.assertTrue(harness.wait_until(lambda: cue() != opening, 3), "no focus cue after a key")
        # The track box is disabled for kind 2, so the first Tab lands on "...".
        for shift, expected in ((False, ["file"]), (False, ["set"]), (False, ["cancel"]),
                                (True, ["set"]), (True, ["file"])):
            self.probe("key", DIALOG, 9, 60, *(["shift"] if shift else []))
            self.assertEqual(harness.wait_until(lambda: focused() == expected and expected, 3)
                             or focused(), expected, f"after {'Shift+' if shift else ''}Tab")
        self.press_key("-", harness.VK_ESCAPE)  # on "...": Escape still cancels
        self.assert_closes(host)
        with open(self.ini, "rb") as f:
            self.assertEqual(f.read(), before)

    def test_keyboard_alone_chooses_a_kind_and_sets_with_space_or_enter(self):
        self.write_keys(kind=0, track=0, path="")
        # Typed where the focus is, as a keyboard does: first the kinds.
        # The dialog keeps kind 2 without a file for the second walk. In the
        # third, "..." has the focus when a click on なし disables it: Enter sets.
        for keys, kind in (((VK_DOWN, VK_TAB, VK_TAB, VK_SPACE), "2"),  # MP3、WAV; "...", 設定
                           ((VK_UP, VK_UP, VK_TAB, VK_TAB, VK_RETURN), "1"),  # 音楽CD; track box, 設定
                           ((VK_DOWN, VK_DOWN, VK_TAB, "なし", VK_RETURN), "0")):
            host, _ = self.open_dialog()
            self.probe("move", 2, 2)  # the pointer away from every button
            for vk in keys:
                if vk == "なし":
                    self.press("left", *middle(self.layout.kind_caption(0)))
                    self.assertEqual(self.wait_selected([0]), [0])
                else:
                    self.press_key("-", vk)
            self.assert_closes(host)
            self.assertEqual(self.key("BGM区分").strip(), kind)


class DialogReaderTest(DialogTestCase):
    PUSH_BUTTON, RADIO_BUTTON, LINK, TEXT = 0x2B, 0x2D, 0x1E, 0x29
    UNAVAILABLE, FOCUSED, CHECKED, DEFAULT = 0x1, 0x4, 0x10, 0x100

    def read(self):
        """(role, state, name) of every object a screen reader reads in the dialog,
        read from another process as Narrator and NVDA read it."""
        found = []
        for line in self.probe("access", DIALOG)[1].splitlines():
            if line.startswith("access "):
                facts = dict(part.split("=", 1) for part in line.split()[1:])
                found.append((int(facts["role"], 16), int(facts["state"], 16),
                              bytes.fromhex(facts["name"]).decode("utf-8")))
        return found

    def kinds(self):
        return [(name, state & (self.CHECKED | self.FOCUSED))
                for role, state, name in self.read() if role == self.RADIO_BUTTON]

    def test_every_control_says_what_it_is_and_an_arrow_moves_the_check(self):
        song = os.path.join(self.art_dir, "song.mp3")
        with open(song, "wb") as f:
            f.write(bytes(400))
        self.write_keys(kind=1, track=0, path=harness.to_windows_path(song))
        host, _ = self.open_dialog()
        objects = self.read()
        states = {(role, name): state for role, state, name in objects}
        for name in ("設定", "ｷｬﾝｾﾙ", "BGMﾌｧｲﾙを選ぶ"):
            self.assertIn((self.PUSH_BUTTON, name), states)
        self.assertTrue(states[(self.PUSH_BUTTON, "設定")] & self.DEFAULT)
        self.assertTrue(states[(self.PUSH_BUTTON, "BGMﾌｧｲﾙを選ぶ")] & self.UNAVAILABLE)
        self.assertIn((self.LINK, os.environ["VANTREL_ABOUT_URL"]), states)
        self.assertIn((self.TEXT, harness.to_windows_path(song)), states)
        # The track box and its edit field are named by the caption beside them.
        self.assertEqual(sum(name == "曲目をﾘﾋﾟｰﾄ" for role, _, name in objects
                             if role != self.TEXT), 2)
        # The panel holds the focus at first, on the checked kind.
        self.assertEqual(self.kinds(), [("音楽CD", self.CHECKED | self.FOCUSED), ("なし", 0),
                                        ("MP3、WAV", 0)])
        self.press_key("-", VK_DOWN)
        moved = [("音楽CD", 0), ("なし", self.CHECKED | self.FOCUSED), ("MP3、WAV", 0)]
        self.assertEqual(harness.wait_until(lambda: self.kinds() == moved and moved, 3)
                         or self.kinds(), moved)
        self.probe("close", DIALOG)
        self.assert_closes(host)


class DialogSetTest(DialogTestCase):
    def test_chosen_file_and_set_write_the_three_keys_and_the_next_run_plays_it(self):
        # DLLs beside the programs are not theirs: the dialog, the music and
        # the scene all come from the system's.
        self.plant_system_dlls()
        self.write_keys(kind=0, track=0, path="")
        # A path of 257 characters, more than the 255 a settings value holds:
        # chosen whole, and stored in its short form, which reads back.
        music = os.path.join(self.art_dir, "music")
        song = os.path.join(music, "x" * (256 - len(harness.to_windows_path(
            os.path.join(music, "曲.wav")))), "曲.wav")
        os.makedirs(os.path.dirname(song))
        write_tone(song)
        self.choose_sound_file_and_set(song)
        # Wine drops the blank our code writes before the numbers.
        self.assertEqual(self.key("BGM区分").strip(), "2")
        self.assertEqual(self.key("BGMﾘﾋﾟｰﾄ").strip(), "0")
        stored = self.key("BGMﾌｧｲﾙ")
        self.assertTrue(stored.upper().endswith(".WAV") and len(stored.encode("cp932")) <= 255,
                        stored)
        # A saver run now plays the chosen file, looping it.
        self.assertGreater(self.seconds_played_by_a_saver_run(), 1.5)
        self.assertEqual([n for n in os.listdir(self.folder) if n.endswith(".loaded")], [])

    def test_cancel_and_the_close_box_leave_the_file_as_it_was(self):
        self.write_keys(kind=1, track=4, path="C:\\nothing.mp3")
        with open(self.ini, "rb") as f:
            before = f.read()
        # A right-button click on a button raises its Click too.
        for way in ("left", "right", "close box"):
            with self.subTest(way=way):
                host, _ = self.open_dialog()
                self.press("left", *middle(self.layout.kind_caption(2)))
                self.assertEqual(self.wait_selected([2]), [2])
                if way == "close box":
                    self.probe("close", DIALOG)
                else:
                    self.click_button(self.layout.cancel, way)
                self.assert_closes(host)
                with open(self.ini, "rb") as f:
                    self.assertEqual(f.read(), before)

    def test_press_begun_off_a_button_and_released_on_it_neither_sets_nor_cancels(self):
        self.write_keys(kind=1, track=4, path="C:\\nothing.mp3")
        with open(self.ini, "rb") as f:
            before = f.read()
        host, _ = self.open_dialog()
        background = self.at(*middle(self.layout.rect((3000, 3450, 0, 0))))
        for button in ("left", "right"):
            for rect in (self.layout.set, self.layout.cancel):
                self.probe("drag", button, *background, *self.at(*middle(rect)))
                # A Click would end the dialog.
                self.assertFalse(self.wait_gone(DIALOG, 300),
                                 f"{button} press dragged onto {rect} ended it")
        with open(self.ini, "rb") as f:
            self.assertEqual(f.read(), before)
        # A press on the button, moved while held, still clicks on its release.
        x, y = middle(self.layout.cancel)
        self.probe("drag", "left", *self.at(x, y), *self.at(x - 8, y - 2))
        self.assert_closes(host)

    def test_hand_edited_values_are_shown_and_written_back(self):
        # The sound file is on a drive that is absent for now (a USB stick).
        self.write_keys(kind=9, track=45, path="Q:\\USB\\曲.mp3")
        host, _ = self.open_dialog()
        self.assertEqual(self.selected_kinds(self.client_shot()), [])
        self.assertFalse(self.combo_enabled())
        self.assertEqual(self.combo_text(), "45")
        self.click_button(self.layout.set)
        self.assert_closes(host)
        self.assertEqual(self.key("BGM区分").strip(), "9")
        self.assertEqual(self.key("BGMﾘﾋﾟｰﾄ").strip(), "45")
        self.assertEqual(self.key("BGMﾌｧｲﾙ"), "Q:\\USB\\曲.mp3")

    def test_saver_run_started_while_the_dialog_is_open_ends_at_once(self):
        host, _ = self.open_dialog()
        saver = self.start_host("/s")
        self.assertEqual(self.wait_exit(saver, 10), 0)
        self.assertIsNone(self.window_facts(SAVER))
        self.assertIsNotNone(self.window_facts(DIALOG))
        self.probe("close", DIALOG)
        self.assert_closes(host)


class DialogLocaleTest(DialogTestCase):
    """A second prefix whose ANSI code page is 1252, with the same font replacements."""
    ENGLISH = "en_US.UTF-8"

    @classmethod
    def setUpClass(cls):
        cls.english_prefix = os.path.join(harness.E2E_DIR, "prefix-en_US")
        prefix_setup.make_prefix(cls.english_prefix, lang=cls.ENGLISH)

    def test_dialog_under_code_page_1252_is_the_picture_it_is_under_932(self):
        # The keys are the bytes a Japanese system writes, on both systems.
        self.write_keys(kind=1, track=4, path="")
        japanese = self.env
        english = harness.base_env(self.display, self.home, self.english_prefix, self.ENGLISH)
        self.addCleanup(subprocess.run, ["wineserver", "-k"], env=english)
        shots = []
        for self.env in (english, japanese):
            self.probe("move", 2, 2)  # the pointer away from every button
            host, _ = self.open_dialog()
            shots.append(self.client_shot())
            self.click_button(self.layout.set)
            self.assert_closes(host)
            with open(self.ini, "rb") as f:  # the same three keys again, no new ones
                self.assertEqual(f.read().count(b"="), 3)
        self.assertTrue(shots[0].rows == shots[1].rows, "the dialogs differ: see the artifacts")


if __name__ == "__main__":
    unittest.main()
