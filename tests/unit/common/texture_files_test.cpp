#include "texture_files.h"

#include <gtest/gtest.h>

#include "bmp_bytes.h"
#include "texture_disk_fake.h"

namespace vantrel {
namespace {

using testing::FakeTextureDisk;
using Paths = std::vector<std::wstring>;
const std::wstring kLocal = L"C:\\users\\u\\AppData\\Local";

std::vector<uint8_t> Bitmap(int32_t width) {
  bmptest::Layout layout;
  layout.width = width;
  return bmptest::Make(layout);
}

TEST(TextureFiles, GoToTheRootOfCOrElseToTheUsersLocalFolder) {
  FakeTextureDisk disk;
  disk.local_app_data = kLocal;
  disk.unwritable = {L"C:\\Yarrin1.bmp"};
  const std::vector<uint8_t> bytes = Bitmap(3);
  EXPECT_TRUE(Save_Texture_File(TextureFile::kGlow, bytes, disk));
  EXPECT_TRUE(disk.asked.empty());  // the user's folder is looked up only when needed
  EXPECT_TRUE(Save_Texture_File(TextureFile::kGlobe, bytes, disk));
  EXPECT_EQ(disk.written,
            (Paths{L"C:\\Yarrin2.bmp", L"C:\\Yarrin1.bmp", kLocal + L"\\Vantrel\\Yarrin1.bmp"}));
  EXPECT_EQ(disk.folders, (std::set<std::wstring>{kLocal + L"\\Vantrel"}));
  EXPECT_EQ(disk.asked, (std::vector<bool>{true}));

  // Without a folder of the user's own the file is tried once and not written.
  disk.local_app_data.clear();
  disk.written.clear();
  disk.unwritable.insert(L"C:\\Yarrin2.bmp");
  EXPECT_FALSE(Save_Texture_File(TextureFile::kGlow, Bitmap(5), disk));
  EXPECT_EQ(disk.written, (Paths{L"C:\\Yarrin2.bmp"}));
  EXPECT_FALSE(Save_Texture_File(TextureFile::kGlow, {}, disk));
}

// Reading a file costs less than writing it again; a file one byte longer
// or with other bytes is written.
TEST(TextureFiles, AFileThatHoldsTheSameBytesIsNotWrittenAgain) {
  FakeTextureDisk disk;
  const std::vector<uint8_t> bytes = Bitmap(3);
  std::vector<uint8_t> longer = bytes;
  longer.push_back(0);
  std::vector<uint8_t> other = bytes;
  other.back() ^= 1;
  for (const auto& held : {bytes, longer, other}) {
    disk.files[L"C:\\Yarrin1.bmp"] = held;
    EXPECT_TRUE(Save_Texture_File(TextureFile::kGlobe, bytes, disk));
  }
  EXPECT_EQ(disk.written, (Paths{L"C:\\Yarrin1.bmp", L"C:\\Yarrin1.bmp"}));
  EXPECT_EQ(disk.files[L"C:\\Yarrin1.bmp"], bytes);
}

// A standard user's host writes the user's copy; a file in C:\ that is not a
// bitmap (cut short, or left by someone else) gives way to that copy too.
TEST(TextureFiles, ReadFromTheRootOfCOrElseFromTheUsersCopy) {
  FakeTextureDisk disk;
  disk.local_app_data = kLocal;
  disk.files[kLocal + L"\\Vantrel\\Yarrin2.bmp"] = Bitmap(7);
  EXPECT_EQ(Read_Texture_File(TextureFile::kGlow, disk).image.width, 7);
  disk.files[L"C:\\Yarrin2.bmp"] = {'B', 'M'};
  EXPECT_EQ(Read_Texture_File(TextureFile::kGlow, disk).image.width, 7);
  EXPECT_EQ(disk.asked, (std::vector<bool>{false, false}));  // looked up, never made
  disk.files[L"C:\\Yarrin2.bmp"] = Bitmap(4);
  EXPECT_EQ(Read_Texture_File(TextureFile::kGlow, disk).image.width, 4);
  EXPECT_EQ(disk.asked.size(), 2u);

  disk.local_app_data.clear();
  EXPECT_FALSE(Read_Texture_File(TextureFile::kGlobe, disk).ok());
}

}  // namespace
}  // namespace vantrel
