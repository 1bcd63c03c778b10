"""The saver run's background music under Wine: every sound played lands in
the test's ALSA capture file."""
import math
import os
import shutil
import struct
import subprocess
import time
import unittest
import wave

import harness
from test_host import RENDERER, HostTestCase

RATE = 22050


def write_tone(path, seconds=1.0):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(12000 * math.sin(2 * math.pi * 440 * i / RATE)))
                               for i in range(int(RATE * seconds))))


def seconds_of_sound(capture, rate=44100, channels=2):
    """Seconds of 100 ms windows above a small RMS in a raw 16-bit capture.
    The capture is not paced in real time, so its length says nothing; the
    sound in it does."""
    if not os.path.exists(capture):
        return 0.0
    with open(capture, "rb") as f:
        data = f.read()
    window = rate * channels // 10
    samples = struct.unpack("<%dh" % (len(data) // 2), data[:len(data) // 2 * 2])
    loud = 0
    for start in range(0, len(samples) - window + 1, window):
        part = samples[start:start + window]
        if math.sqrt(sum(s * s for s in part) / window) > 300:
            loud += 1
    return loud / 10.0


class MusicTest(HostTestCase):
    def setUp(self):
        super().setUp()
        # A sound folder with a blank in its name: the MP3 open quotes it.
        self.sounds = os.path.join(self.folder, "my music")
        os.makedirs(self.sounds)

    def run_saver(self, kind, sound_file, seconds):
        return self.run_saver_with([
            "[Section]", f"BGM区分= {kind}", "BGMﾘﾋﾟｰﾄ= 0",
            "BGMﾌｧｲﾙ=" + (harness.to_windows_path(sound_file) if sound_file else "")], seconds)

    def run_saver_with(self, settings_lines, seconds):
        """A saver run of `seconds` with these settings (None: the file as it
        is); the seconds of sound it played."""
        if os.path.exists(self.capture_path):
            os.remove(self.capture_path)
        if settings_lines is not None:
            self.write_settings(settings_lines)
        host = self.start_host("/s")
        self.wait_window(RENDERER)
        time.sleep(seconds)
        self.end_renderer()
        self.assert_host_ends(host)
        return seconds_of_sound(self.capture_path)

    def test_wav_loops_for_the_whole_run(self):
        tone = os.path.join(self.sounds, "tone.WaV")
        write_tone(tone)
        # A 1 s sound that loops gives more than one second of sound.
        self.assertGreater(self.run_saver(2, tone, 4.0), 1.5)

    @unittest.skipUnless(shutil.which("lame"), "lame is needed to make the MP3 file")
    def test_mp3_is_restarted_when_it_has_ended(self):
        wav = os.path.join(self.sounds, "tone.wav")
        write_tone(wav)
        mp3 = os.path.join(self.sounds, "tone.Mp3")
        subprocess.run(["lame", "--quiet", "-b", "64", wav, mp3], check=True)
        os.remove(wav)
        # One second per play: more than that means the poll restarted it.
        self.assertGreater(self.run_saver(2, mp3, 4.5), 1.5)

    def test_other_sound_files_and_kinds_play_nothing(self):
        midi = os.path.join(self.sounds, "tone.mid")
        write_tone(midi)
        wav = os.path.join(self.sounds, "tone.wav")
        write_tone(wav)
        cases = ((2, midi), (0, wav), (7, wav), (2, os.path.join(self.sounds, "gone.wav")))
        for kind, sound in cases:
            with self.subTest(kind=kind, sound=os.path.basename(sound)):
                self.assertEqual(self.run_saver(kind, sound, 1.5), 0.0)

    def test_sound_files_that_are_not_sounds_play_nothing(self):
        for name in ("noise.wav", "noise.mp3"):
            junk = os.path.join(self.sounds, name)
            with open(junk, "wb") as f:
                f.write(bytes(range(256)) * 64)
            with self.subTest(name=name):
                self.assertEqual(self.run_saver(2, junk, 1.5), 0.0)

    def test_garbage_in_the_settings_file_gives_a_run_without_music(self):
        tone = os.path.join(self.sounds, "tone.wav")
        write_tone(tone)
        long_path = "C:\\" + "\\".join(["d" * 60] * 5) + "\\tone.wav"
        cases = {
            "not numbers": ["[Section]", "BGM区分=two", "BGMﾘﾋﾟｰﾄ=x1",
                            "BGMﾌｧｲﾙ=" + harness.to_windows_path(tone)],
            "out of range": ["[Section]", "BGM区分=70000", "BGMﾘﾋﾟｰﾄ=-40000",
                             "BGMﾌｧｲﾙ=" + harness.to_windows_path(tone)],
            "path over 255 bytes": ["[Section]", "BGM区分= 2", "BGMﾘﾋﾟｰﾄ= 0",
                                    "BGMﾌｧｲﾙ=" + long_path],
            "no section": ["BGM区分= 2", "BGMﾌｧｲﾙ=" + harness.to_windows_path(tone)],
        }
        for name, lines in cases.items():
            with self.subTest(case=name):
                self.assertEqual(self.run_saver_with(lines, 1.5), 0.0)
        with self.subTest(case="binary junk"):
            with open(os.path.join(self.folder, "Vantrel.ini"), "wb") as f:
                f.write(bytes(range(256)) * 8)
            self.assertEqual(self.run_saver_with(None, 1.5), 0.0)

    def test_killed_renderer_ends_the_host_and_its_music(self):
        tone = os.path.join(self.sounds, "tone.wav")
        write_tone(tone)
        self.write_settings(["[Section]", "BGM区分= 2", "BGMﾘﾋﾟｰﾄ= 0",
                             "BGMﾌｧｲﾙ=" + harness.to_windows_path(tone)])
        host = self.start_host("/s")
        self.wait_window(RENDERER)
        self.assertTrue(harness.wait_until(lambda: seconds_of_sound(self.capture_path) > 0.5, 10),
                        "no sound before the kill")
        self.probe("kill", RENDERER)
        killed = time.monotonic()
        self.assert_host_ends(host, 5)
        self.assertLess(time.monotonic() - killed, 1.5)
        played = os.path.getsize(self.capture_path)
        self.assertFalse(harness.wait_until(lambda: os.path.getsize(self.capture_path) != played,
                                            1.0), "sound after the host ended")
        self.assertGreater(seconds_of_sound(self.capture_path), 0.5)

    def test_a_slow_renderer_keeps_the_run_until_its_window_goes_or_it_gives_up(self):
        # The probe stands in for a renderer: "DELAY_MS LIFE_MS", its window
        # shown after DELAY_MS for LIFE_MS (one that ends at once is
        # test_host's hostname.exe).
        shutil.copy(harness.PROBE, os.path.join(self.folder, "Vantrel.dll"))
        tone = os.path.join(self.sounds, "tone.wav")
        write_tone(tone)
        self.write_settings(["[Section]", "BGM区分= 2", "BGMﾘﾋﾟｰﾄ= 0",
                             "BGMﾌｧｲﾙ=" + harness.to_windows_path(tone)])
        for stand_in, ends_within in (("2000 3000", (4.5, 9)), ("17000 3000", (14.5, 18))):
            with self.subTest(stand_in=stand_in):
                started = time.monotonic()
                host = self.start(os.path.join(self.folder, "Vantrel.scr"), "/s",
                                  log_name="host", env_extra={"VANTREL_STAND_IN": stand_in})
                late = stand_in.startswith("17000")
                if late:
                    self.assert_host_ends(host, 20)
                else:
                    self.wait_window(RENDERER)
                    self.assertIsNone(host.poll(), "the run ended before the window came")
                    self.assertTrue(self.wait_gone(RENDERER, 8000))
                    self.assert_host_ends(host, 2)
                    self.assertGreater(seconds_of_sound(self.capture_path), 1.5)
                elapsed = time.monotonic() - started
                self.assertTrue(ends_within[0] < elapsed < ends_within[1], elapsed)
                # Given up on after 15 s, it does not show its window later.
                self.assertFalse(late and harness.wait_until(
                    lambda: self.window_facts(RENDERER), 4), "a late renderer ran alone")

    def test_audio_cd_without_drive_plays_nothing_and_the_run_ends_normally(self):
        self.assertEqual(self.run_saver(1, None, 1.5), 0.0)


if __name__ == "__main__":
    unittest.main()
