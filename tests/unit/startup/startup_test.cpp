#include "startup/startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_fakes.h"
#include "startup/startup_args.h"

namespace vantrel::host {
namespace {

using testing::FakeFiles;
using testing::FakeProfile;

const std::wstring kFolder = L"C:\\Saver";

// Records what Main asks of the platform, as one line per request.
class RecordingStartup : public StartupShell {
 public:
  std::wstring arguments;
  std::vector<std::wstring> open_titles;
  std::vector<std::wstring> calls;
  FakeProfile profile;
  FakeFiles files;

  RecordingStartup() { files.readable = {kFolder + L"\\Vantrel.dll"}; }

  bool WindowTitled(const std::wstring& title) override {
    calls.push_back(L"find " + title);
    for (const auto& open : open_titles) {
      if (open == title) return true;
    }
    return false;
  }
  std::wstring ArgumentString() override { return arguments; }
  std::wstring ProgramFolder() override { return kFolder; }
  ProfilePort& Profile() override { return profile; }
  FilePort& Files() override { return files; }
  void ShowMessage(const std::wstring& text, const std::wstring& caption) override {
    calls.push_back(L"message " + text + L" | " + caption);
  }
  void HideCursor() override { calls.push_back(L"hide cursor"); }
  void ShowPreview(int32_t parent) override {
    calls.push_back(L"preview " + std::to_wstring(parent));
  }
  void ShowSettingsDialog() override { calls.push_back(L"dialog"); }
  void CreateSaverWindow(bool cursor_hidden) override {
    calls.push_back(cursor_hidden ? L"saver window, cursor hidden" : L"saver window");
  }
  void EndHost() override { calls.push_back(L"end"); }

  bool Called(const std::wstring& call) const {
    for (const auto& c : calls) {
      if (c == call) return true;
    }
    return false;
  }
  // The requests after the two probes.
  std::vector<std::wstring> AfterProbe() const {
    return std::vector<std::wstring>(calls.begin() + 2, calls.end());
  }
};

using Calls = std::vector<std::wstring>;

TEST(ArgumentString, IsWhatFollowsTheProgramNameAndItsBlanks) {
  const struct {
    const wchar_t* command_line;
    const wchar_t* arguments;
  } cases[] = {
      {L"C:\\Saver\\Vantrel.scr /s", L"/s"},
      {L"\"C:\\My Saver\\Vantrel.scr\"  /p 1234", L"/p 1234"},
      {L"\"C:\\My Saver\\Vantrel.scr\"/c:99 /s", L"/s"},  // the name runs to a blank
      {L"Vantrel.scr\t/s", L"/s"},
      {L"Vantrel.scr", L""},
      {L"\"C:\\unclosed quote /s", L""},
      {L"", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Argument_String(c.command_line), c.arguments) << c.command_line;
  }
}

TEST(Main, DispatchesByModeLetter) {
  const struct {
    const wchar_t* arguments;
    StartupOutcome outcome;
    Calls calls;
  } cases[] = {
      {L"/s", StartupOutcome::kSaverRun, {L"hide cursor", L"saver window, cursor hidden"}},
      {L"/S", StartupOutcome::kSaverRun, {L"hide cursor", L"saver window, cursor hidden"}},
      {L"-s", StartupOutcome::kSaverRun, {L"hide cursor", L"saver window, cursor hidden"}},
      {L"xs", StartupOutcome::kSaverRun, {L"hide cursor", L"saver window, cursor hidden"}},
      {L"", StartupOutcome::kSaverRun, {L"saver window"}},
      {L"s", StartupOutcome::kEnded, {L"end"}},
      {L"/a", StartupOutcome::kEnded, {L"end"}},
      {L"/c", StartupOutcome::kEnded, {L"dialog", L"end"}},
      {L"/c:1234", StartupOutcome::kEnded, {L"dialog", L"end"}},
      {L"/p 1234", StartupOutcome::kPreview, {L"preview 1234"}},
      {L"/p:1234", StartupOutcome::kPreview, {L"preview 1234"}},
      {L"/p", StartupOutcome::kPreview, {L"preview 0"}},
  };
  for (const auto& c : cases) {
    RecordingStartup shell;
    shell.arguments = c.arguments;
    HostWide host;
    EXPECT_EQ(Main(host, shell), c.outcome) << "arguments: " << c.arguments;
    EXPECT_EQ(shell.AfterProbe(), c.calls) << "arguments: " << c.arguments;
  }
}

TEST(Main, ProbesBothTitlesAndEndsWhenEitherIsOpen) {
  for (const wchar_t* open : {L"Yarrin_Main", L"<Vantrel>"}) {
    for (const wchar_t* arguments : {L"/s", L"/p 1234", L"/c", L""}) {
      RecordingStartup shell;
      shell.arguments = arguments;
      shell.open_titles = {open};
      HostWide host;
      EXPECT_EQ(Main(host, shell), StartupOutcome::kEnded);
      EXPECT_EQ(shell.calls, (Calls{L"find Yarrin_Main", L"find <Vantrel>", L"end"}))
          << open << " / " << arguments;
    }
  }
}

TEST(Main, RunningPreviewBlocksNothing) {
  RecordingStartup shell;
  shell.arguments = L"/s";
  shell.open_titles = {L"Preview Window"};
  HostWide host;
  EXPECT_EQ(Main(host, shell), StartupOutcome::kSaverRun);
}

TEST(Main, MissingRendererIsReportedExceptForThePreview) {
  for (const wchar_t* arguments : {L"/s", L"/c", L"", L"/a"}) {
    RecordingStartup shell;
    shell.arguments = arguments;
    shell.files.readable.clear();
    HostWide host;
    EXPECT_EQ(Main(host, shell), StartupOutcome::kEnded);
    EXPECT_EQ(shell.AfterProbe(),
              (Calls{L"message Vantrel.dll が同じﾌｫﾙﾀﾞに見つかりません！ | Vantrel (ScreenSaver)",
                     L"end"}))
        << "arguments: " << arguments;
  }
  RecordingStartup preview;
  preview.arguments = L"/p 1234";
  preview.files.readable.clear();
  HostWide host;
  EXPECT_EQ(Main(host, preview), StartupOutcome::kPreview);
  EXPECT_TRUE(preview.Called(L"preview 1234"));
}

// The dialog shows a sound file that does not open as stored; a saver run
// plays none.
TEST(Main, SettingsAreReadForEveryModeButThePreview) {
  const std::wstring ini = kFolder + L"\\Vantrel.ini";
  for (const wchar_t* arguments : {L"/s", L"/c", L"", L"/a"}) {
    RecordingStartup shell;
    shell.arguments = arguments;
    shell.profile.files[ini][L"Section"][L"BGM区分"] = L" 2";
    shell.profile.files[ini][L"Section"][L"BGMﾌｧｲﾙ"] = L"E:\\a.wav";
    HostWide host;
    Main(host, shell);
    const bool run = arguments[0] == L'\0' || arguments[1] == L's';
    EXPECT_EQ(host.BGM_Kind, run ? MusicKind::kNone : MusicKind::kFile) << arguments;
    EXPECT_EQ(host.BGM_File, run ? L"" : L"E:\\a.wav") << arguments;
    EXPECT_EQ(host.BGM_Dir, kFolder) << "arguments: " << arguments;
  }
  RecordingStartup preview;
  preview.arguments = L"/p 1";
  preview.profile.files[ini][L"Section"][L"BGM区分"] = L" 1";
  HostWide host;
  Main(host, preview);
  EXPECT_EQ(host.BGM_Kind, MusicKind::kNone);
  EXPECT_TRUE(preview.profile.read_files.empty());
}

}  // namespace
}  // namespace vantrel::host
