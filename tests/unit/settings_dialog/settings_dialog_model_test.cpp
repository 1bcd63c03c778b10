#include "settings_dialog/settings_dialog_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host_fakes.h"

namespace vantrel::host {
namespace {

constexpr const wchar_t* kFolder = L"C:\\Saver";
constexpr const wchar_t* kIni = L"C:\\Saver\\Vantrel.ini";

// The dialog's windows as the user would see them.
class FakeView : public DialogView {
 public:
  std::optional<MusicKind> shown_kind;  // as the kinds' control shows it
  std::wstring notice;
  bool repeat_enabled = true, file_enabled = true;
  std::wstring repeat_text, file_caption;
  std::vector<std::wstring> repeat_list;
  std::vector<DialogControl> initialized;
  std::optional<ScreenPoint> cursor = ScreenPoint{320, 200};
  std::optional<std::wstring> chosen;
  std::wstring chooser_folder;
  bool over_link = false, holding_pointer = false;
  DialogControl focused = DialogControl::kNone;
  std::vector<std::wstring> log;  // placing, zooms, pointer changes, addresses, closing
  HostWide* host = nullptr;       // to see the zoom point when the zoom runs

  void Place() override { log.push_back(L"place"); }
  void InitializeButton(DialogControl button) override { initialized.push_back(button); }
  void SetButtonEnabled(DialogControl button, bool enabled) override {
    if (button == DialogControl::kFileButton) file_enabled = enabled;
  }
  void SetRepeatEnabled(bool enabled) override { repeat_enabled = enabled; }
  void SetRepeatText(const std::wstring& text) override { repeat_text = text; }
  void AddRepeatEntry(const std::wstring& entry) override { repeat_list.push_back(entry); }
  std::wstring RepeatText() override { return repeat_text; }
  void ShowKind(MusicKind kind) override { shown_kind = kind; }
  void SetFileCaption(const std::wstring& path) override { file_caption = path; }
  void ShowNotice(const std::wstring& text) override { notice = text; }
  std::optional<std::wstring> ChooseSoundFile(const std::wstring& folder) override {
    chooser_folder = folder;
    return chosen;
  }
  std::optional<ScreenPoint> CursorPosition() override { return cursor; }
  void ZoomOpen() override {
    log.push_back(L"zoom open from " + std::to_wstring(host->Zoom_X) + L"," +
                  std::to_wstring(host->Zoom_Y));
  }
  void ZoomClose() override { log.push_back(L"zoom close"); }
  void SetPointer(DialogPointer pointer) override {
    log.push_back(pointer == DialogPointer::kHourglass ? L"hourglass" : L"default pointer");
  }
  bool PointerOverLink() override { return over_link; }
  void HoldPointer(bool hold) override { holding_pointer = hold; }
  void OpenAddress(const std::wstring& address) override { log.push_back(L"open " + address); }
  DialogControl FocusedControl() override { return focused; }
  void Focus(DialogControl control) override { focused = control; }
  void Close() override { log.push_back(L"close"); }
};

using Log = std::vector<std::wstring>;

// A dialog over `host`, loaded.
struct Dialog {
  HostWide host;
  FakeView view;
  testing::FakeProfile profile;
  testing::FakeFiles files;
  SettingsDialog dialog{view, host, profile, files, kFolder};

  explicit Dialog(int16_t kind = 0, int16_t track = 0, std::wstring file = L"") {
    host.BGM_Kind = static_cast<MusicKind>(kind);  // as read from the settings file
    host.BGM_RepeatTrack = track;
    host.BGM_File = std::move(file);
    host.BGM_Dir = L"C:\\Music";
    view.host = &host;
    dialog.Form_Load();
    view.log.clear();
  }
  testing::FakeProfile::Keys& Keys() { return profile.files[kIni][L"Section"]; }
};

TEST(DialogLoad, ShowsTheKindItsTrackAndFile) {
  const struct {
    int16_t kind;
    bool repeat_enabled, file_enabled;
  } cases[] = {
      {0, false, false}, {1, true, false},   {2, false, true},
      {9, false, false}, {-1, false, false}, {3, false, false},
  };
  for (const auto& c : cases) {
    Dialog d(c.kind, 45, L"C:\\Music\\song.mp3");
    EXPECT_EQ(d.view.shown_kind, static_cast<MusicKind>(c.kind)) << "kind " << c.kind;
    EXPECT_EQ(d.view.repeat_enabled, c.repeat_enabled) << "kind " << c.kind;
    EXPECT_EQ(d.view.file_enabled, c.file_enabled) << "kind " << c.kind;
    EXPECT_EQ(d.view.repeat_text, L"45");
    EXPECT_EQ(d.view.file_caption, L"C:\\Music\\song.mp3");
    EXPECT_EQ(d.view.initialized,
              (std::vector<DialogControl>{DialogControl::kSet, DialogControl::kCancel,
                                          DialogControl::kFileButton}));
  }
}

TEST(DialogLoad, TrackZeroIsAnEmptyTextAndTheListRunsFromEmptyToThirty) {
  Dialog d(1, 0);
  EXPECT_EQ(d.view.repeat_text, L"");
  ASSERT_EQ(d.view.repeat_list.size(), 31u);
  EXPECT_EQ(d.view.repeat_list.front(), L"");
  EXPECT_EQ(d.view.repeat_list[1], L"1");
  EXPECT_EQ(d.view.repeat_list.back(), L"30");
  Dialog negative(1, -3);
  EXPECT_EQ(negative.view.repeat_text, L"-3");
}

TEST(DialogLoad, PlacesThenZoomsFromTheCursorAndEndsWithTheDefaultPointer) {
  HostWide host;
  FakeView view;
  view.host = &host;
  testing::FakeProfile profile;
  testing::FakeFiles files;
  SettingsDialog dialog(view, host, profile, files, kFolder);
  dialog.Form_Load();
  EXPECT_EQ(view.log, (Log{L"place", L"zoom open from 320,200", L"default pointer"}));
  EXPECT_TRUE(profile.files.empty());

  view.cursor.reset();  // GetCursorPos failed
  view.log.clear();
  dialog.Form_Load();
  EXPECT_EQ(view.log[1], L"zoom open from 0,0");
  dialog.Form_Unload();
  EXPECT_EQ(view.log.back(), L"zoom close");
}

TEST(DialogKinds, ChoosingAKindChangesTheControlsButKeepsTheTexts) {
  Dialog d(2, 7, L"C:\\Music\\song.mp3");
  for (int16_t kind : {1, 0, 2, 2, 1}) {
    d.dialog.Kind_Chosen(static_cast<MusicKind>(kind));
    EXPECT_EQ(d.host.BGM_Kind, static_cast<MusicKind>(kind));
    EXPECT_EQ(d.view.repeat_enabled, kind == 1);
    EXPECT_EQ(d.view.file_enabled, kind == 2);
  }
  EXPECT_EQ(d.view.repeat_text, L"7");
  EXPECT_EQ(d.view.file_caption, L"C:\\Music\\song.mp3");
  EXPECT_TRUE(d.profile.files.empty());
}

TEST(DialogFileChooser, ChosenPathBecomesFileCaptionAndNextFolder) {
  Dialog d(2);
  d.view.chosen = L"D:\\Sounds\\loop.wav";
  d.dialog.FileButton_Click();
  EXPECT_EQ(d.view.chooser_folder, L"C:\\Music");
  EXPECT_EQ(d.host.BGM_File, L"D:\\Sounds\\loop.wav");
  EXPECT_EQ(d.view.file_caption, L"D:\\Sounds\\loop.wav");
  d.view.chosen.reset();  // cancelled: nothing changes
  d.dialog.FileButton_Click();
  EXPECT_EQ(d.view.chooser_folder, L"D:\\Sounds");
  EXPECT_EQ(d.host.BGM_File, L"D:\\Sounds\\loop.wav");
  EXPECT_EQ(d.view.file_caption, L"D:\\Sounds\\loop.wav");
  // A name the settings file cannot hold, without a short form: kept out, and said.
  d.view.chosen = L"D:\\音\\歌.wav";
  d.dialog.FileButton_Click();
  EXPECT_EQ(d.host.BGM_File, L"D:\\Sounds\\loop.wav");
  EXPECT_EQ(d.view.file_caption, L"D:\\Sounds\\loop.wav");
  EXPECT_EQ(d.view.notice, kFileNotStoredText);
}

TEST(DialogSet, WritesAllThreeKeysWithABlankBeforeValuesOfZeroAndMoreThenCloses) {
  Dialog d(0);
  d.dialog.Kind_Chosen(MusicKind::kFile);
  d.view.chosen = L"C:\\Music\\song.mp3";
  d.dialog.FileButton_Click();
  d.dialog.SetButton_Click();
  EXPECT_EQ(d.Keys()[L"BGM区分"], L" 2");
  EXPECT_EQ(d.Keys()[L"BGMﾘﾋﾟｰﾄ"], L" 0");
  EXPECT_EQ(d.Keys()[L"BGMﾌｧｲﾙ"], L"C:\\Music\\song.mp3");
  EXPECT_EQ(d.profile.files.size(), 1u);
  EXPECT_EQ(d.view.log, Log{L"close"});
}

TEST(DialogSet, HandEditedValuesAreWrittenBack) {
  Dialog d(-3, 45);
  d.dialog.SetButton_Click();
  EXPECT_EQ(d.Keys()[L"BGM区分"], L"-3");
  EXPECT_EQ(d.Keys()[L"BGMﾘﾋﾟｰﾄ"], L" 45");
  EXPECT_EQ(d.Keys()[L"BGMﾌｧｲﾙ"], L"");
}

TEST(DialogSet, TrackOfADisabledBoxIsStillTakenAndAFileKeptAfterNone) {
  Dialog d(2, 0, L"C:\\Music\\song.mp3");
  d.dialog.Kind_Chosen(MusicKind::kNone);
  d.view.repeat_text = L"3.5";
  d.dialog.SetButton_Click();
  EXPECT_EQ(d.host.BGM_RepeatTrack, 4);
  EXPECT_EQ(d.Keys()[L"BGMﾘﾋﾟｰﾄ"], L" 4");
  EXPECT_EQ(d.Keys()[L"BGMﾌｧｲﾙ"], L"C:\\Music\\song.mp3");
}

TEST(DialogCancel, ClosesWithoutWriting) {
  Dialog d(1, 4);
  d.dialog.Kind_Chosen(MusicKind::kFile);
  d.view.chosen = L"C:\\x.wav";
  d.dialog.FileButton_Click();
  d.dialog.CancelButton_Click();
  EXPECT_EQ(d.view.log, Log{L"close"});
  EXPECT_TRUE(d.profile.files.empty());
}

TEST(DialogLink, OpensOnlyOnAPressAndAReleaseBothOnIt) {
  const struct {
    bool press_over, mouse_lost, release_over, opens;  // lost: another window took it
  } cases[] = {{true, false, true, true},
               {false, false, true, false},
               {true, false, false, false},
               {true, true, true, false}};
  for (const auto& c : cases) {
    Dialog d;
    d.view.over_link = c.press_over;
    d.dialog.Left_Pressed();
    // Held from a press on the link, so that a release anywhere comes back.
    EXPECT_EQ(d.view.holding_pointer, c.press_over);
    if (c.mouse_lost) {
      d.view.holding_pointer = false;
      d.dialog.Pointer_Lost();
    }
    d.view.over_link = c.release_over;
    d.dialog.Left_Released();
    EXPECT_FALSE(d.view.holding_pointer);
    const Log opened{L"hourglass", std::wstring(L"open ") + kLinkAddress, L"default pointer"};
    EXPECT_EQ(d.view.log, c.opens ? opened : Log{}) << c.press_over << c.release_over;
  }
  Dialog twice;  // one press opens once
  twice.view.over_link = true;
  twice.dialog.Left_Pressed();
  twice.dialog.Left_Released();
  twice.dialog.Left_Released();
  EXPECT_EQ(twice.view.log.size(), 3u);
}

TEST(DialogFocus, ComesBackToWhereItWasAndToTheKindsAtFirst) {
  Dialog d;
  d.dialog.Activated();
  EXPECT_EQ(d.view.focused, DialogControl::kKinds);
  d.view.focused = DialogControl::kRepeat;
  d.dialog.Deactivated();
  d.view.focused = DialogControl::kNone;  // the file chooser had it
  d.dialog.Activated();
  EXPECT_EQ(d.view.focused, DialogControl::kRepeat);
}

TEST(DialogTrackText, SetTakesTheNearestWholeNumberHalvesToEven) {
  struct Case {
    const wchar_t* text;
    int16_t track;
  } cases[] = {
      {L"2.5", 2}, {L"3.5", 4}, {L"", 0},    {L"abc", 0}, {L"45", 45},
      {L" 7 ", 7}, {L"-3", -3}, {L"2.6", 3}, {L"12x", 0}, {L"-0.5", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Track_From_Text(c.text), c.track)
        << std::string(c.text, c.text + std::wcslen(c.text));
  }
}

TEST(DialogTrackText, NumbersBeyondSixteenBitsAreLimitedToTheRange) {
  EXPECT_EQ(Track_From_Text(L"32767"), 32767);
  EXPECT_EQ(Track_From_Text(L"32767.4"), 32767);
  EXPECT_EQ(Track_From_Text(L"32768"), 32767);
  EXPECT_EQ(Track_From_Text(L"99999999999"), 32767);
  EXPECT_EQ(Track_From_Text(L"1e300"), 32767);
  EXPECT_EQ(Track_From_Text(L"-32768"), -32768);
  EXPECT_EQ(Track_From_Text(L"-40000"), -32768);
}

TEST(DialogGradient, FirstAndLastLineDarkBrightestNearTheMiddle) {
  const std::vector<int> levels = Gradient_Levels(243);
  ASSERT_EQ(levels.size(), 244u);
  EXPECT_EQ(levels.front(), 0);
  EXPECT_EQ(levels.back(), 0);  // sin(3.142) is slightly negative: |.| keeps it 0
  const auto brightest = std::max_element(levels.begin(), levels.end());
  EXPECT_EQ(*brightest, 220);
  // The peak lies at H * pi / 6.284, just below H / 2.
  EXPECT_EQ(levels[static_cast<size_t>(243 * 3.14159265 / 6.284)], 220);
  EXPECT_LT(levels[20], levels[60]);
  EXPECT_LT(levels[230], levels[180]);
  EXPECT_EQ(Window_Line_Colour(0), 0x1E0000u);    // RGB(0, 0, 30)
  EXPECT_EQ(Window_Line_Colour(220), 0xFADCDCu);  // RGB(220, 220, 250)
  EXPECT_EQ(Panel_Line_Colour(0), 0x1E1E1Eu);
  EXPECT_EQ(Panel_Line_Colour(220), 0xFAFAFAu);
}

TEST(DialogGradient, RisesThenFalls) {
  const std::vector<int> levels = Gradient_Levels(165);
  const size_t middle = std::max_element(levels.begin(), levels.end()) - levels.begin();
  EXPECT_TRUE(std::is_sorted(levels.begin(), levels.begin() + middle + 1));
  EXPECT_TRUE(std::is_sorted(levels.rbegin(), levels.rend() - middle));
  EXPECT_TRUE(Gradient_Levels(0).empty());
}

TEST(DialogPlacement, CentredAcrossAndAThirdDown) {
  // 1024 x 768 screen in twips.
  const Placement p = Dialog_Placement(15360, 11520, 7530, 4110);
  EXPECT_EQ(p.left, (15360 - 7530) / 2);
  EXPECT_EQ(p.top, (11520 - 4110) / 3);
  const Placement odd = Dialog_Placement(15360, 11520, 7531, 4111);
  EXPECT_EQ(odd.left, 3914);  // 7829 / 2, fraction dropped
  EXPECT_EQ(odd.top, 2469);   // 7409 / 3
  const Placement halves = Dialog_Placement(100.5, 100, 0, 0);
  EXPECT_EQ(halves.left, 50);  // 100.5 rounds to the even 100
  const Placement bigger = Dialog_Placement(1000, 1000, 1501, 1300);
  EXPECT_EQ(bigger.left, -250);  // -501 / 2 drops toward zero
  EXPECT_EQ(bigger.top, -100);
}

}  // namespace
}  // namespace vantrel::host
