#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <tuple>

#include "host_fakes.h"

namespace vantrel::host {
namespace {

using testing::FakeFiles;
using testing::FakeProfile;

const std::wstring kFolder = L"C:\\Saver";
const std::wstring kIni = L"C:\\Saver\\Vantrel.ini";

class LoadSettingsTest : public ::testing::Test {
 protected:
  void Set(const std::wstring& key, const std::wstring& value) {
    profile.files[kIni][L"Section"][key] = value;
  }
  HostWide Load() {
    HostWide host;
    Load_Settings(host, profile, files, kFolder);
    return host;
  }
  FakeProfile profile;
  FakeFiles files;
};

TEST_F(LoadSettingsTest, MissingFileGivesNoMusicAndTheProgramFolder) {
  const HostWide host = Load();
  EXPECT_EQ(host.BGM_Kind, MusicKind::kNone);
  EXPECT_EQ(host.BGM_RepeatTrack, 0);
  EXPECT_EQ(host.BGM_File, L"");
  EXPECT_EQ(host.BGM_Dir, kFolder);
  for (const auto& file : profile.read_files) EXPECT_EQ(file, kIni);
}

// A Set is read wherever it was written: the newer file wins, the one
// beside the host when they are equally new.
TEST_F(LoadSettingsTest, TheNewerOfThePerUserFileAndTheOneBesideTheHostIsRead) {
  const std::wstring user_ini = L"C:\\users\\u\\AppData\\Roaming\\Vantrel\\Vantrel.ini";
  files.app_data[AppDataFolder::kRoaming] = L"C:\\users\\u\\AppData\\Roaming";
  Set(L"BGM区分", L"1");
  profile.files[user_ini][L"Section"][L"BGMﾘﾋﾟｰﾄ"] = L" 4";
  // (per-user time, time beside the host; 0: no such file), the file read
  using Case = std::tuple<uint64_t, uint64_t, std::wstring>;
  for (const auto& [user_time, beside_time, expected] : std::initializer_list<Case>{
           {0, 5, kIni}, {5, 0, user_ini}, {6, 5, user_ini}, {5, 6, kIni}, {5, 5, kIni}}) {
    files.readable.clear();
    if (user_time) files.readable.insert(user_ini);
    if (beside_time) files.readable.insert(kIni);
    files.written_at = {{user_ini, user_time}, {kIni, beside_time}};
    profile.read_files.clear();
    EXPECT_EQ(Load().BGM_Kind, expected == kIni ? MusicKind::kCd : MusicKind::kNone);
    for (const auto& file : profile.read_files) EXPECT_EQ(file, expected);
  }
  EXPECT_TRUE(files.folders.empty());  // reading makes no folder
}

TEST_F(LoadSettingsTest, ReadsTheFileAsTheSettingsDialogWritesIt) {
  Set(L"BGM区分", L" 2");
  Set(L"BGMﾘﾋﾟｰﾄ", L" 5");
  Set(L"BGMﾌｧｲﾙ", L"C:\\Music\\song.mp3");
  files.readable = {L"C:\\Music\\song.mp3"};
  const HostWide host = Load();
  EXPECT_EQ(host.BGM_Kind, MusicKind::kFile);
  EXPECT_EQ(host.BGM_RepeatTrack, 5);
  EXPECT_EQ(host.BGM_File, L"C:\\Music\\song.mp3");
  EXPECT_EQ(host.BGM_Dir, L"C:\\Music");
}

TEST_F(LoadSettingsTest, NumbersAreRoundedDownAndBadOnesReadAsZero) {
  const struct {
    const wchar_t* text;
    int16_t kind;
  } cases[] = {
      {L"2", 2},  {L" 2 ", 2},   {L"2.7", 2},         {L"-2.5", -3}, {L"7", 7},        {L"x", 0},
      {L"2x", 0}, {L"32768", 0}, {L"-32768", -32768}, {L"", 0},      {L"99999999", 0},
  };
  for (const auto& c : cases) {
    Set(L"BGM区分", c.text);
    Set(L"BGMﾘﾋﾟｰﾄ", c.text);
    const HostWide host = Load();
    EXPECT_EQ(static_cast<int16_t>(host.BGM_Kind), c.kind) << "text: " << c.text;
    EXPECT_EQ(host.BGM_RepeatTrack, c.kind) << "text: " << c.text;
  }
}

// The dialog shows the stored choice (Main: only a saver run drops a file
// that does not open); the CD kind does not depend on the file.
TEST_F(LoadSettingsTest, SoundFileThatCannotBeOpenedIsKeptUntilARunDropsIt) {
  Set(L"BGM区分", L"1");
  Set(L"BGMﾌｧｲﾙ", L"E:\\Music\\gone.mp3");
  HostWide host = Load();
  EXPECT_EQ(host.BGM_File, L"E:\\Music\\gone.mp3");
  EXPECT_EQ(host.BGM_Dir, kFolder);
  Drop_Absent_Sound_File(host, files);
  EXPECT_EQ(host.BGM_Kind, MusicKind::kCd);
  EXPECT_EQ(host.BGM_File, L"");
}

TEST(WriteSettings, KeysGoWhereTheNextStartReadsThemOrTheWriteFails) {
  constexpr const wchar_t* kUserIni = L"C:\\users\\u\\AppData\\Roaming\\Vantrel\\Vantrel.ini";
  FakeProfile profile;
  FakeFiles files;
  profile.disk = &files;
  profile.read_only = {kIni};
  HostWide host;
  host.BGM_Kind = MusicKind::kFile;
  host.BGM_RepeatTrack = 3;
  host.BGM_File = L"D:\\a.wav";

  // No roaming folder: nothing can be written, and nothing is.
  EXPECT_FALSE(Write_Settings(host, profile, files, kFolder));
  EXPECT_TRUE(profile.files.empty());

  files.app_data[AppDataFolder::kRoaming] = L"C:\\users\\u\\AppData\\Roaming";
  EXPECT_TRUE(Write_Settings(host, profile, files, kFolder));
  EXPECT_EQ(files.folders, (std::set<std::wstring>{L"C:\\users\\u\\AppData\\Roaming\\Vantrel"}));
  EXPECT_EQ(
      profile.files[kUserIni][L"Section"],
      (FakeProfile::Keys{{L"BGM区分", L" 2"}, {L"BGMﾘﾋﾟｰﾄ", L" 3"}, {L"BGMﾌｧｲﾙ", L"D:\\a.wav"}}));
  EXPECT_TRUE(files.removed.empty());

  // Once the program folder takes the keys, the user's older file goes.
  profile.read_only.clear();
  EXPECT_TRUE(Write_Settings(host, profile, files, kFolder));
  EXPECT_EQ(profile.files[kIni][L"Section"].size(), 3u);
  EXPECT_EQ(files.removed, (std::vector<std::wstring>{kUserIni}));

  // An older file that can neither go nor be written is read no more.
  files.readable.insert(kUserIni);
  files.undeletable = {kUserIni};
  files.written_at[kUserIni] = 0;
  profile.files.erase(kUserIni);
  profile.read_only = {kUserIni};
  EXPECT_TRUE(Write_Settings(host, profile, files, kFolder));
  EXPECT_EQ(profile.files.count(kUserIni), 0u);
  // One that still reads as the newer (a clock set ahead where it was
  // written) takes the keys too, or the Set fails.
  files.written_at[kUserIni] = 100;
  EXPECT_FALSE(Write_Settings(host, profile, files, kFolder));
  profile.read_only.clear();
  EXPECT_TRUE(Write_Settings(host, profile, files, kFolder));
  EXPECT_EQ(profile.files[kUserIni][L"Section"].size(), 3u);
}

TEST(SettingsKeys, AreTheBytesAJapaneseSystemWritesWhereTheCodePageCarriesThem) {
  FakeProfile profile;  // as under UTF-8: the names, which read back there
  EXPECT_EQ(Profile_Key(kKeyKind, profile), L"BGM区分");
  profile.bytes_carried = true;  // as under 1252: one character a byte
  EXPECT_EQ(Profile_Key(kKeyKind, profile), L"BGM\x8B\xE6\x95\xAA");
  EXPECT_EQ(Profile_Key(kKeyRepeat, profile), L"BGM\xD8\xCB\xDF\xB0\xC4");
  EXPECT_EQ(Profile_Key(kKeyFile, profile), L"BGM\xCC\xA7\xB2\xD9");
}

TEST(IniRead, ValuesAreCutTo255Bytes) {
  FakeProfile profile;
  profile.files[L"f.ini"][L"Section"][L"k"] = std::wstring(300, L'a');
  EXPECT_EQ(Ini_Read(profile, L"Section", L"k", L"f.ini"), std::wstring(255, L'a'));
  EXPECT_EQ(Ini_Read(profile, L"Section", L"missing", L"f.ini"), L"");
  EXPECT_EQ(Ini_Read(profile, L"Other", L"k", L"f.ini"), L"");
}

TEST(StorablePath, ThePathWhereTheFileHoldsItElseItsShortFormElseNothing) {
  FakeProfile profile;  // holds Latin-1 only
  FakeFiles files;
  const std::wstring japanese = L"C:\\音楽\\曲.mp3";
  const std::wstring longest = L"C:\\" + std::wstring(248, L'x') + L".mp3";  // 255 bytes
  const std::wstring too_long = L"C:\\" + std::wstring(249, L'x') + L".mp3";
  const std::wstring no_short = L"D:\\歌.wav";
  files.short_paths = {{japanese, L"C:\\7B2C~1\\0E6F~1.MP3"},
                       {too_long, L"C:\\XXXXXX~1.MP3"},
                       {no_short, no_short}};  // 8.3 names switched off: the long one again
  EXPECT_EQ(Storable_Path(longest, profile, files), longest);
  EXPECT_EQ(Storable_Path(japanese, profile, files), L"C:\\7B2C~1\\0E6F~1.MP3");
  EXPECT_EQ(Storable_Path(too_long, profile, files), L"C:\\XXXXXX~1.MP3");
  EXPECT_EQ(Storable_Path(no_short, profile, files), std::nullopt);
  EXPECT_EQ(Storable_Path(L"E:\\♪.mp3", profile, files), std::nullopt);  // no short form at all
}

}  // namespace
}  // namespace vantrel::host
