#include "music/music_player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_fakes.h"

namespace vantrel::host {
namespace {

using testing::RecordingMci;
using Commands = std::vector<std::wstring>;

constexpr uint32_t kNoDevice = 263;  // any MCI error code

class MusicTest : public ::testing::Test {
 protected:
  // A device that reports standing on `track` in `mode`.
  void CdOnTrack(const std::wstring& track, const std::wstring& mode) {
    for (const wchar_t* status : {L"status cdaudio current track",
                                  L"status cdaudio number of tracks", L"status cdaudio mode"}) {
      mci.script.erase(status);
    }
    mci.Answer(L"status cdaudio current track", 0, track);
    mci.Answer(L"status cdaudio number of tracks", 0, L"12");
    mci.Answer(L"status cdaudio mode", 0, mode);
  }
  RecordingMci mci;
  HostWide settings;
  MusicPlayer music{mci, settings};
};

TEST_F(MusicTest, EmptyCommandIsRefusedWithItsOwnText) {
  std::wstring text;
  EXPECT_EQ(music.Mci_Command(L"", text), -1);
  EXPECT_EQ(text, L"コマンド文字列が指定されていません");
  EXPECT_EQ(music.Mci_Query(L""), L"Error:-1");
  EXPECT_TRUE(mci.commands.empty());
}

TEST_F(MusicTest, FailedCommandGivesTheErrorTextOrItsStandIn) {
  mci.Answer(L"status x", kNoDevice, L"");
  mci.error_texts[kNoDevice] = L"no such device";
  std::wstring text;
  EXPECT_EQ(music.Mci_Command(L"status x", text), 263);
  EXPECT_EQ(text, L"no such device");
  mci.error_texts.clear();
  EXPECT_EQ(music.Mci_Command(L"status x", text), 263);
  EXPECT_EQ(text, L"Error (文字列が取れません)");
  EXPECT_EQ(music.Mci_Query(L"status x"), L"Error:263");
}

TEST_F(MusicTest, PlayCommandNamesTheStartOnlyWhenGiven) {
  music.Mci_Play(L"cdaudio", L"");
  music.Mci_Play(L"cdaudio", L"03:00:00:00");
  EXPECT_EQ(mci.commands, (Commands{L"play cdaudio", L"play cdaudio from 03:00:00:00"}));
}

TEST_F(MusicTest, CdOpenAndStopSendTheirCommandsInOrder) {
  music.Cd_Open();
  music.Cd_Stop();
  EXPECT_EQ(mci.commands, (Commands{L"open cdaudio", L"set cdaudio time format tmsf",
                                    L"stop cdaudio wait", L"close cdaudio wait"}));
}

TEST_F(MusicTest, CdPollStartsAStoppedDiscWithoutRepeatTrack) {
  CdOnTrack(L"1", L"stopped");
  music.Cd_Poll();
  EXPECT_EQ(mci.commands.back(), L"play cdaudio");
  EXPECT_TRUE(music.Cd_KeepPolling());
}

TEST_F(MusicTest, CdPollLeavesAPlayingDiscAloneWithoutRepeatTrack) {
  CdOnTrack(L"4", L"playing");
  music.Cd_Poll();
  EXPECT_EQ(mci.commands, (Commands{L"status cdaudio current track",
                                    L"status cdaudio number of tracks", L"status cdaudio mode"}));
  EXPECT_TRUE(music.Cd_KeepPolling());
}

TEST_F(MusicTest, CdPollJumpsBackToTheRepeatTrack) {
  settings.BGM_RepeatTrack = 3;
  CdOnTrack(L"4", L"playing");
  mci.Answer(L"status cdaudio position track 3", 0, L"03:00:00:00");
  music.Cd_Poll();
  ASSERT_GE(mci.commands.size(), 2u);
  EXPECT_EQ(mci.commands[mci.commands.size() - 2], L"status cdaudio position track 3");
  EXPECT_EQ(mci.commands.back(), L"play cdaudio from 03:00:00:00");
  EXPECT_TRUE(music.Cd_KeepPolling());
}

TEST_F(MusicTest, CdPollKeepsTheRepeatTrackPlaying) {
  settings.BGM_RepeatTrack = 3;
  CdOnTrack(L"3", L"playing");
  music.Cd_Poll();
  EXPECT_EQ(mci.commands.size(), 3u);

  // A stopped device restarts the repeat track even when it stands on it.
  CdOnTrack(L"3", L"stopped");
  mci.Answer(L"status cdaudio position track 3", 0, L"03:00:00:00");
  mci.commands.clear();
  music.Cd_Poll();
  EXPECT_EQ(mci.commands.back(), L"play cdaudio from 03:00:00:00");
}

TEST_F(MusicTest, CdModeCountsOnlyItsFirstSevenCharacters) {
  CdOnTrack(L"1", L"stopped and more");
  music.Cd_Poll();
  EXPECT_EQ(mci.commands.back(), L"play cdaudio");

  // "stop" with the NUL inside the first seven is no "stopped".
  CdOnTrack(L"1", L"stop");
  mci.commands.clear();
  music.Cd_Poll();
  EXPECT_NE(mci.commands.back(), L"play cdaudio");
}

TEST_F(MusicTest, CdPollingEndsOnAnyDeviceError) {
  // No drive: the first status query already fails.
  mci.Answer(L"status cdaudio current track", kNoDevice, L"");
  music.Cd_Poll();
  EXPECT_FALSE(music.Cd_KeepPolling());
  EXPECT_EQ(mci.commands, Commands{L"status cdaudio current track"});

  // A reply that itself reports an error.
  mci.script.clear();
  mci.commands.clear();
  mci.Answer(L"status cdaudio current track", 0, L"1");
  mci.Answer(L"status cdaudio number of tracks", 0, L"err: no disc");
  music.Cd_Poll();
  EXPECT_FALSE(music.Cd_KeepPolling());
  EXPECT_EQ(mci.commands.size(), 2u);
}

TEST_F(MusicTest, CdPollingEndsWhenTheTrackIsNoNumberAndARepeatIsSet) {
  settings.BGM_RepeatTrack = 2;
  for (const wchar_t* track : {L"", L"abc", L"99999"}) {
    mci.script.clear();
    CdOnTrack(track, L"stopped");
    music.Cd_Poll();
    EXPECT_FALSE(music.Cd_KeepPolling()) << "track: " << track;
    EXPECT_NE(mci.commands.back().rfind(L"play", 0), 0u) << "track: " << track;
  }
}

TEST_F(MusicTest, PollingResumesNextTimeWhenTheDeviceAnswersAgain) {
  mci.Answer(L"status cdaudio current track", kNoDevice, L"");
  music.Cd_Poll();
  ASSERT_FALSE(music.Cd_KeepPolling());
  mci.script.clear();
  CdOnTrack(L"1", L"playing");
  music.Cd_Poll();
  EXPECT_TRUE(music.Cd_KeepPolling());
}

TEST_F(MusicTest, Mp3StartQuotesThePathAndPlaysOnlyAfterAnOpen) {
  settings.BGM_File = L"C:\\My Music\\a song.mp3";
  music.Mp3_Start();
  EXPECT_EQ(mci.commands,
            (Commands{L"open \"C:\\My Music\\a song.mp3\" type MPEGVideo Alias MP3Play",
                      L"play MP3Play"}));

  mci.commands.clear();
  mci.Answer(L"open \"C:\\My Music\\a song.mp3\" type MPEGVideo Alias MP3Play", 275, L"");
  music.Mp3_Start();
  EXPECT_EQ(mci.commands.size(), 1u);
}

TEST_F(MusicTest, Mp3PollRestartsOnlyWhenNotPlaying) {
  mci.Answer(L"status MP3Play mode", 0, L"playing");
  mci.Answer(L"status MP3Play mode", 0, L"stopped");
  music.Mp3_Poll();
  EXPECT_EQ(mci.commands, Commands{L"status MP3Play mode"});
  music.Mp3_Poll();
  EXPECT_EQ(mci.commands, (Commands{L"status MP3Play mode", L"status MP3Play mode", L"stop MP3Play",
                                    L"play MP3Play from 0"}));
}

TEST_F(MusicTest, Mp3StopClosesTheAlias) {
  music.Mp3_Stop();
  EXPECT_EQ(mci.commands, (Commands{L"stop MP3Play wait", L"close MP3Play wait"}));
}

TEST_F(MusicTest, WavLoopsAsynchronouslyOnlyWithAWaveDevice) {
  settings.BGM_File = L"C:\\a.wav";
  music.Wav_Start();
  music.Wav_Stop();
  ASSERT_EQ(mci.sounds.size(), 2u);
  EXPECT_EQ(mci.sounds[0].first, L"C:\\a.wav");
  EXPECT_EQ(mci.sounds[0].second, 11u);  // async, loop, no default sound
  EXPECT_EQ(mci.sounds[1].first, L"");
  EXPECT_EQ(mci.sounds[1].second, 0u);

  mci.sounds.clear();
  mci.wave_devices = 0;
  music.Wav_Start();
  EXPECT_TRUE(mci.sounds.empty());
}

TEST(SoundFileType, ExtensionIsComparedUpperCased) {
  EXPECT_EQ(Sound_File_Type(L"C:\\a.wav"), SoundFileType::kWav);
  EXPECT_EQ(Sound_File_Type(L"C:\\a.WaV"), SoundFileType::kWav);
  EXPECT_EQ(Sound_File_Type(L"song.Mp3"), SoundFileType::kMp3);
  EXPECT_EQ(Sound_File_Type(L"song.mid"), SoundFileType::kOther);
  EXPECT_EQ(Sound_File_Type(L"mp3"), SoundFileType::kMp3);
  EXPECT_EQ(Sound_File_Type(L"3"), SoundFileType::kOther);
  EXPECT_EQ(Sound_File_Type(L""), SoundFileType::kOther);
}

}  // namespace
}  // namespace vantrel::host
