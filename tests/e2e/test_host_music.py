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
        if os.path.exists(self.capture_path):
            os.remove(self.capture_path)
        self.write_settings([
            "[Section]", f"BGM区分= {kind}", "BGMﾘﾋﾟｰﾄ= 0",
            "BGMﾌｧｲﾙ=" + (harness.to_windows_path(sound_file) if sound_file else "")])
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

    def test_audio_cd_without_drive_plays_nothing_and_the_run_ends_normally(self):
        self.assertEqual(self.run_saver(1, None, 1.5), 0.0)


if __name__ == "__main__":
    unittest.main()
