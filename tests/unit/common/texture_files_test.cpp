#include "texture_files.h"

#include <gtest/gtest.h>

#include "bmp_bytes.h"
#include "texture_disk_fake.h"

namespace vantrel {
namespace {

using Calls = std::vector<std::wstring>;

// The user's folder is looked up only where C:\ refuses the file; a file
// that already holds the bytes is left as it is, one byte longer is not.
TEST(TextureFiles, GoToCOrElseToTheUsersFolderAndAreNotWrittenAgainUnchanged) {
  testing::FakeTextureDisk disk;
  disk.local_app_data = L"L";
  disk.unwritable = {L"C:\\Yarrin1.bmp"};
  const std::vector<uint8_t> bytes = bmptest::Make({});
  for (TextureFile file : {TextureFile::kGlobe, TextureFile::kGlobe, TextureFile::kGlow}) {
    EXPECT_TRUE(Save_Texture_File(file, bytes, disk));
  }
  disk.files[L"C:\\Yarrin2.bmp"].push_back(0);
  EXPECT_TRUE(Save_Texture_File(TextureFile::kGlow, bytes, disk));
  EXPECT_EQ(disk.calls,
            (Calls{L"write C:\\Yarrin1.bmp", L"local, made", L"folder L\\Vantrel",
                   L"write L\\Vantrel\\Yarrin1.bmp", L"write C:\\Yarrin1.bmp", L"local, made",
                   L"folder L\\Vantrel", L"write C:\\Yarrin2.bmp", L"write C:\\Yarrin2.bmp"}));
  disk.local_app_data.clear();
  EXPECT_FALSE(Save_Texture_File(TextureFile::kGlobe, bytes, disk));
  EXPECT_FALSE(Save_Texture_File(TextureFile::kGlow, {}, disk));
}

}  // namespace
}  // namespace vantrel
