#include "saver/saver_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_fakes.h"

namespace vantrel::host {
namespace {

using testing::RecordingMci;
using Calls = std::vector<std::wstring>;

// The saver window's platform side, recorded; Unload runs the query-unload
// handler as the toolkit does.
class RecordingSaverShell : public SaverShell {
 public:
  static constexpr ProcessWindow kRenderer{1, 77};
  static std::wstring Name(uintptr_t window) { return std::to_wstring(window); }
  Calls calls;
  bool renderer_window = true;
  bool started = true;
  bool renderer_running = false;      // as after an end: a missing window ends the run
  std::vector<ProcessWindow> others;  // other programs' windows of the renderer's title
  uint64_t now_ms = 5000;
  SaverRun* saver = nullptr;
  bool SaveTexture(TextureFile file) override {
    calls.push_back(file == TextureFile::kGlobe ? L"save globe" : L"save glow");
    return false;  // the run goes on alike
  }
  void ShowBackdrop() override { calls.push_back(L"backdrop"); }
  void RemoveBackdrop() override { calls.push_back(L"backdrop gone"); }
  bool StartRenderer(const std::wstring& path) override {
    calls.push_back(L"start " + path);
    return started;
  }
  bool RendererRunning() override { return renderer_running; }
  uint32_t RendererProcessId() override { return started ? kRenderer.process_id : 0; }
  uint64_t Milliseconds() override { return now_ms; }
  std::vector<ProcessWindow> WindowsTitled(const std::wstring& title) override {
    EXPECT_EQ(title, L"Yarrin_VC");
    std::vector<ProcessWindow> windows = others;
    if (renderer_window) windows.push_back(kRenderer);
    return windows;
  }
  void LiftRendererAndBackdrop(uintptr_t w) override { calls.push_back(L"lift " + Name(w)); }
  void SetTimerEnabled(SaverTimer timer, bool enabled) override {
    static const wchar_t* const names[] = {L"MP3 poll", L"CD poll", L"renderer watch"};
    calls.push_back(std::wstring(names[static_cast<int>(timer)]) + (enabled ? L" on" : L" off"));
  }
  void ShowCursor() override { calls.push_back(L"show cursor"); }
  void Unload() override {
    calls.push_back(L"unload");
    saver->Form_QueryUnload();
  }
  void EndHost() override { calls.push_back(L"end"); }
};

class SaverRunTest : public ::testing::Test {
 protected:
  SaverRun& Start(bool cursor_hidden = true) {
    saver = std::make_unique<SaverRun>(shell, music, settings, L"C:\\Saver", cursor_hidden);
    shell.saver = saver.get();
    saver->Form_Load();
    return *saver;
  }
  RecordingMci mci;
  HostWide settings;
  MusicPlayer music{mci, settings};
  RecordingSaverShell shell;
  std::unique_ptr<SaverRun> saver;
};

TEST_F(SaverRunTest, LoadWritesTexturesBeforeStartingTheRenderer) {
  SaverRun& run = Start();
  EXPECT_EQ(shell.calls,
            (Calls{L"backdrop", L"save globe", L"save glow", L"start C:\\Saver\\Vantrel.dll"}));
  EXPECT_TRUE(run.TimerEnabled(SaverTimer::kRendererWatch));
  EXPECT_FALSE(run.TimerEnabled(SaverTimer::kMp3Poll));
  EXPECT_FALSE(run.TimerEnabled(SaverTimer::kCdPoll));
  EXPECT_TRUE(mci.commands.empty());
  EXPECT_TRUE(mci.sounds.empty());
}

// Another program's window of that title keeps the run, as the watch asks
// for the title alone, but is not lifted. The renderer's own is lifted once;
// the renderer keeps the foreground itself.
TEST_F(SaverRunTest, OnlyTheRenderersOwnWindowIsLiftedAndOnlyOnce) {
  shell.others = {{9, 12}};
  shell.renderer_window = false;
  SaverRun& run = Start();
  shell.calls.clear();
  run.RendererWatchTimer_Tick();
  EXPECT_TRUE(shell.calls.empty());
  shell.renderer_window = true;
  run.RendererWatchTimer_Tick();
  run.RendererWatchTimer_Tick();
  EXPECT_EQ(shell.calls, (Calls{L"lift 1"}));
}

// The renderer's process end runs the watch's rule at once; the desktop
// comes back first.
TEST_F(SaverRunTest, RunEndsWithTheRendererWindowGoneAtItsProcessEndOrATick) {
  SaverRun& run = Start();
  run.RendererWatchTimer_Tick();
  EXPECT_EQ(shell.calls.size(), 5u);  // renderer still there: lifted, nothing else
  shell.renderer_window = false;
  shell.calls.clear();
  run.RendererProcess_Ended();
  EXPECT_EQ(shell.calls,
            (Calls{L"renderer watch off", L"unload", L"backdrop gone", L"show cursor", L"end"}));
}

// The e2e tests show a slow renderer waited for, up to 15 s; once its window
// has been seen, its going ends the run though the process still runs.
TEST_F(SaverRunTest, RendererWindowGoneAfterItWasSeenEndsTheRunAtOnce) {
  shell.renderer_running = true;
  SaverRun& run = Start();
  run.RendererWatchTimer_Tick();
  shell.renderer_window = false;
  run.RendererWatchTimer_Tick();
  EXPECT_EQ(shell.calls.back(), L"end");
}

TEST_F(SaverRunTest, CursorIsShownAgainOnlyWhenStartUpHidIt) {
  shell.renderer_window = false;
  Start(false).RendererWatchTimer_Tick();
  EXPECT_EQ(shell.calls.back(), L"end");
  for (const auto& call : shell.calls) EXPECT_NE(call, L"show cursor");
}

TEST_F(SaverRunTest, FailedRendererStartStillStartsTheMusic) {
  shell.started = false;
  settings.BGM_Kind = MusicKind::kCd;
  SaverRun& run = Start();
  EXPECT_EQ(mci.commands, (Calls{L"open cdaudio", L"set cdaudio time format tmsf"}));
  EXPECT_TRUE(run.TimerEnabled(SaverTimer::kCdPoll));
}

TEST_F(SaverRunTest, CdWithoutDiscStopsPollingAndIsNotClosedAtTheEnd) {
  settings.BGM_Kind = MusicKind::kCd;
  mci.Answer(L"status cdaudio current track", 263, L"");
  SaverRun& run = Start();
  run.CdPollTimer_Tick();
  EXPECT_FALSE(run.TimerEnabled(SaverTimer::kCdPoll));
  EXPECT_EQ(shell.calls.back(), L"CD poll off");

  mci.commands.clear();
  shell.renderer_window = false;
  run.RendererWatchTimer_Tick();
  EXPECT_TRUE(mci.commands.empty());
  EXPECT_EQ(shell.calls.back(), L"end");
}

TEST_F(SaverRunTest, CdStillPollingIsStoppedAtTheEnd) {
  settings.BGM_Kind = MusicKind::kCd;
  mci.Answer(L"status cdaudio current track", 0, L"1");
  mci.Answer(L"status cdaudio mode", 0, L"playing");
  SaverRun& run = Start();
  run.CdPollTimer_Tick();
  EXPECT_TRUE(run.TimerEnabled(SaverTimer::kCdPoll));
  mci.commands.clear();
  shell.renderer_window = false;
  run.RendererWatchTimer_Tick();
  EXPECT_EQ(mci.commands, (Calls{L"stop cdaudio wait", L"close cdaudio wait"}));
  EXPECT_FALSE(run.TimerEnabled(SaverTimer::kCdPoll));
}

TEST_F(SaverRunTest, Mp3PlaysPollsAndStopsWhateverTheExtensionCase) {
  settings.BGM_Kind = MusicKind::kFile;
  settings.BGM_File = L"C:\\Music\\song.Mp3";
  mci.Answer(L"open \"C:\\Music\\song.Mp3\" type MPEGVideo Alias MP3Play", 277, L"");
  SaverRun& run = Start();
  // The poll timer runs even though the open failed.
  EXPECT_TRUE(run.TimerEnabled(SaverTimer::kMp3Poll));
  EXPECT_EQ(mci.commands.size(), 1u);
  run.Mp3PollTimer_Tick();
  EXPECT_EQ(mci.commands.back(), L"play MP3Play from 0");

  mci.commands.clear();
  shell.renderer_window = false;
  run.RendererWatchTimer_Tick();
  EXPECT_FALSE(run.TimerEnabled(SaverTimer::kMp3Poll));
  EXPECT_EQ(mci.commands, (Calls{L"stop MP3Play wait", L"close MP3Play wait"}));
}

TEST_F(SaverRunTest, WavLoopsAndIsStoppedAtTheEnd) {
  settings.BGM_Kind = MusicKind::kFile;
  settings.BGM_File = L"C:\\a.wav";
  SaverRun& run = Start();
  ASSERT_EQ(mci.sounds.size(), 1u);
  EXPECT_FALSE(run.TimerEnabled(SaverTimer::kMp3Poll));
  shell.renderer_window = false;
  run.RendererWatchTimer_Tick();
  ASSERT_EQ(mci.sounds.size(), 2u);
  EXPECT_EQ(mci.sounds[1].first, L"");
}

TEST_F(SaverRunTest, OtherExtensionsAndKindsPlayNothing) {
  const struct {
    int16_t kind;
    const wchar_t* file;
  } cases[] = {{2, L"C:\\song.mid"}, {0, L"C:\\a.wav"}, {7, L"C:\\a.mp3"}, {2, L""}};
  for (const auto& c : cases) {
    mci.commands.clear();
    mci.sounds.clear();
    shell.renderer_window = true;
    settings.BGM_Kind = static_cast<MusicKind>(c.kind);
    settings.BGM_File = c.file;
    SaverRun& run = Start();
    shell.renderer_window = false;
    run.RendererWatchTimer_Tick();
    EXPECT_TRUE(mci.commands.empty()) << c.kind << " " << c.file;
    EXPECT_TRUE(mci.sounds.empty()) << c.kind << " " << c.file;
  }
}

}  // namespace
}  // namespace vantrel::host
