#include "settings/path_rules.h"

#include <gtest/gtest.h>

#include "host_fakes.h"

namespace vantrel::host {
namespace {

using testing::FakeFiles;

TEST(FolderOf, CutsAtTheLastColonOrBackslash) {
  const struct {
    const wchar_t* path;
    const wchar_t* folder;
  } cases[] = {
      {L"C:\\Music\\song.mp3", L"C:\\Music"},
      {L"C:\\song.mp3", L"C:"},
      {L"C:song.mp3", L"C:"},
      {L"song.mp3", L""},
      {L"", L""},
      {L"C:\\Music\\", L"C:\\Music"},
      {L"\\\\server\\share\\a b.wav", L"\\\\server\\share"},
      {L"C:\\Mu:sic\\x", L"C:\\Mu:sic"},
  };
  for (const auto& c : cases) EXPECT_EQ(Folder_Of(c.path), c.folder) << "path: " << c.path;
}

TEST(ProgramFolder, KeepsTheBackslashOnlyAtADriveRoot) {
  EXPECT_EQ(Program_Folder(L"C:\\Saver\\Vantrel.scr"), L"C:\\Saver");
  EXPECT_EQ(Program_Folder(L"C:\\Vantrel.scr"), L"C:\\");
  EXPECT_EQ(Program_Folder(L"\\\\server\\share\\Vantrel.scr"), L"\\\\server\\share");
}

TEST(FileExists, DropsOneTrailingBackslashBeforeOpening) {
  FakeFiles files;
  files.readable = {L"C:\\Music\\song.mp3"};
  EXPECT_TRUE(File_Exists(L"C:\\Music\\song.mp3", files));
  EXPECT_TRUE(File_Exists(L"C:\\Music\\song.mp3\\", files));
  EXPECT_FALSE(File_Exists(L"C:\\Music\\song.mp3\\\\", files));
  EXPECT_FALSE(File_Exists(L"C:\\Music\\other.mp3", files));
}

TEST(FileExists, EmptyPathAndBareBackslashNeverReachThePlatform) {
  FakeFiles files;
  EXPECT_FALSE(File_Exists(L"", files));
  EXPECT_FALSE(File_Exists(L"\\", files));
  EXPECT_TRUE(files.probed.empty());
}

}  // namespace
}  // namespace vantrel::host
