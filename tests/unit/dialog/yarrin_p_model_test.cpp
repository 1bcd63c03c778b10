#include "settings_dialog/yarrin_p_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <set>
#include <string>

#include "host_fakes.h"

namespace vantrel::host {
namespace {

constexpr const wchar_t* kFolder = L"C:\\Saver";
constexpr const wchar_t* kIni = L"C:\\Saver\\Vantrel.ini";

TEST(DialogKinds, EnabledControlsAndMarkFollowTheKind) {
  const KindControls none = Kind_Controls(0);
  EXPECT_FALSE(none.repeat_enabled);
  EXPECT_FALSE(none.file_enabled);
  EXPECT_EQ(none.mark_selected, (std::array<bool, 3>{true, false, false}));
  const KindControls cd = Kind_Controls(1);
  EXPECT_TRUE(cd.repeat_enabled);
  EXPECT_FALSE(cd.file_enabled);
  EXPECT_EQ(cd.mark_selected, (std::array<bool, 3>{false, true, false}));
  const KindControls file = Kind_Controls(2);
  EXPECT_FALSE(file.repeat_enabled);
  EXPECT_TRUE(file.file_enabled);
  EXPECT_EQ(file.mark_selected, (std::array<bool, 3>{false, false, true}));
}

TEST(DialogKinds, KindOutsideTheRangeShowsNoMarkAndEnablesNothing) {
  for (int16_t kind : {int16_t{9}, int16_t{-1}, int16_t{3}, int16_t{-32768}}) {
    const KindControls shown = Kind_Controls(kind);
    EXPECT_FALSE(shown.repeat_enabled || shown.file_enabled) << kind;
    EXPECT_EQ(std::count(shown.mark_selected.begin(), shown.mark_selected.end(), true), 0) << kind;
  }
}

TEST(DialogTrackText, HashHashAndTheListOfThirtyOneEntries) {
  EXPECT_EQ(Hash_Hash(0), L"");
  EXPECT_EQ(Hash_Hash(7), L"7");
  EXPECT_EQ(Hash_Hash(45), L"45");
  EXPECT_EQ(Hash_Hash(-3), L"-3");
  const auto list = Repeat_List();
  ASSERT_EQ(list.size(), 31u);
  EXPECT_EQ(list.front(), L"");
  EXPECT_EQ(list[1], L"1");
  EXPECT_EQ(list.back(), L"30");
}

TEST(DialogTrackText, SetTakesTheNearestWholeNumberHalvesToEven) {
  struct Case {
    const wchar_t* text;
    int16_t track;
  } cases[] = {
      {L"2.5", 2}, {L"3.5", 4}, {L"", 0},      {L"abc", 0},    {L"45", 45},
      {L" 7 ", 7}, {L"-3", -3}, {L"2.6", 3},   {L"12x", 0},    {L"-0.5", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Track_From_Text(c.text), c.track) << std::string(c.text, c.text + std::wcslen(c.text));
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

TEST(DialogSet, WritesAllThreeKeysWithABlankBeforeValuesOfZeroAndMore) {
  testing::FakeProfile profile;
  testing::FakeFiles files;
  HostWide host;
  host.BGM_Kind = 2;
  host.BGM_File = L"C:\\Music\\song.mp3";
  Write_Settings(host, L"", profile, files, kFolder);
  auto& keys = profile.files[kIni][L"Section"];
  EXPECT_EQ(keys[L"BGM区分"], L" 2");
  EXPECT_EQ(keys[L"BGMﾘﾋﾟｰﾄ"], L" 0");
  EXPECT_EQ(keys[L"BGMﾌｧｲﾙ"], L"C:\\Music\\song.mp3");
  EXPECT_EQ(host.BGM_RepeatTrack, 0);
}

TEST(DialogSet, HandEditedValuesAreWrittenBack) {
  testing::FakeProfile profile;
  testing::FakeFiles files;
  HostWide host;
  host.BGM_Kind = -3;
  host.BGM_RepeatTrack = 45;
  Write_Settings(host, Hash_Hash(host.BGM_RepeatTrack), profile, files, kFolder);
  auto& keys = profile.files[kIni][L"Section"];
  EXPECT_EQ(keys[L"BGM区分"], L"-3");
  EXPECT_EQ(keys[L"BGMﾘﾋﾟｰﾄ"], L" 45");
  EXPECT_EQ(keys[L"BGMﾌｧｲﾙ"], L"");
}

TEST(DialogSet, TrackOfADisabledBoxIsStillTakenAndEveryKeyGoesToTheIni) {
  testing::FakeProfile profile;
  testing::FakeFiles files;
  HostWide host;
  host.BGM_Kind = 0;
  Write_Settings(host, L"3.5", profile, files, kFolder);
  EXPECT_EQ(host.BGM_RepeatTrack, 4);
  EXPECT_EQ(profile.files.size(), 1u);
  EXPECT_EQ(profile.files[kIni][L"Section"].size(), 3u);
  EXPECT_EQ(profile.files[kIni][L"Section"][L"BGMﾘﾋﾟｰﾄ"], L" 4");
}

TEST(DialogSet, ReadOnlyProgramFolderSendsTheKeysToTheUsersFileUntilItIsWritable) {
  constexpr const wchar_t* kUserIni = L"C:\\users\\u\\AppData\\Roaming\\Vantrel\\Vantrel.ini";
  testing::FakeProfile profile;
  testing::FakeFiles files;
  profile.read_only = {kIni};
  HostWide host;
  host.BGM_Kind = 2;
  host.BGM_File = L"D:\\a.wav";

  // No roaming folder: nothing can be written, and nothing is.
  Write_Settings(host, L"3", profile, files, kFolder);
  EXPECT_TRUE(profile.files.empty());

  files.app_data[AppDataFolder::kRoaming] = L"C:\\users\\u\\AppData\\Roaming";
  Write_Settings(host, L"3", profile, files, kFolder);
  EXPECT_EQ(files.folders,
            (std::set<std::wstring>{L"C:\\users\\u\\AppData\\Roaming\\Vantrel"}));
  EXPECT_EQ(profile.files[kUserIni][L"Section"],
            (testing::FakeProfile::Keys{
                {L"BGM区分", L" 2"}, {L"BGMﾘﾋﾟｰﾄ", L" 3"}, {L"BGMﾌｧｲﾙ", L"D:\\a.wav"}}));
  EXPECT_TRUE(files.removed.empty());

  // Once the program folder takes the keys, the user's older file goes.
  profile.read_only.clear();
  Write_Settings(host, L"", profile, files, kFolder);
  EXPECT_EQ(profile.files[kIni][L"Section"].size(), 3u);
  EXPECT_EQ(files.removed, (std::vector<std::wstring>{kUserIni}));
}

TEST(DialogFileChooser, ChosenPathBecomesFileAndNextFolder) {
  HostWide host;
  Take_Chosen_File(host, L"D:\\Sounds\\loop.wav");
  EXPECT_EQ(host.BGM_File, L"D:\\Sounds\\loop.wav");
  EXPECT_EQ(host.BGM_Dir, L"D:\\Sounds");
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
  EXPECT_EQ(Window_Line_Colour(0), 0x1E0000u);      // RGB(0, 0, 30)
  EXPECT_EQ(Window_Line_Colour(220), 0xFADCDCu);    // RGB(220, 220, 250)
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
