#include "texture.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "bmp_bytes.h"
#include "gl_api.h"
#include "gl_recorder.h"
#include "texture_disk_fake.h"

namespace vantrel {
namespace {

class TextureTest : public ::testing::Test {
 protected:
  void SetUp() override { gltest::Reset(); }

  // Loads a texture from a globe texture file holding `bytes`.
  bool LoadBytes(Texture& t, const std::vector<uint8_t>& bytes) {
    disk.files[L"C:\\Yarrin1.bmp"] = bytes;
    return t.LoadBmp(TextureFile::kGlobe, disk);
  }
  testing::FakeTextureDisk disk;  // empty: every file is missing
};

TEST_F(TextureTest, MissingFileStillLeavesAFreshBoundTextureWithItsParametersAndFails) {
  Texture t;
  EXPECT_FALSE(t.LoadBmp(TextureFile::kGlobe, disk));
  ASSERT_EQ(gltest::Count("glGenTextures"), 1);
  const double generated = gltest::Calls()[0].args[1];
  ASSERT_EQ(gltest::Calls()[1].name, "glBindTexture");
  EXPECT_EQ(gltest::Calls()[1].args[1], generated);
  // Repeating in both directions, linear magnification, mipmapped minification.
  const std::vector<std::pair<double, double>> expected = {
      {GL_TEXTURE_WRAP_S, GL_REPEAT},
      {GL_TEXTURE_WRAP_T, GL_REPEAT},
      {GL_TEXTURE_MAG_FILTER, GL_LINEAR},
      {GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST}};
  std::vector<std::pair<double, double>> set;
  for (const auto& call : gltest::Calls()) {
    if (call.name == "glTexParameterf") set.emplace_back(call.args[1], call.args[2]);
  }
  EXPECT_EQ(set, expected);
  EXPECT_EQ(gltest::Count("gluBuild2DMipmaps"), 0);
  t.Bind();
  EXPECT_EQ(gltest::Calls().back().args[1], generated);
}

TEST_F(TextureTest, LoadingAgainDeletesTheOldTextureFirst) {
  Texture t;
  t.LoadBmp(TextureFile::kGlobe, disk);
  const double first = gltest::Calls()[0].args[1];
  gltest::Reset();
  t.LoadBmp(TextureFile::kGlow, disk);
  ASSERT_EQ(gltest::Calls()[0].name, "glDeleteTextures");
  EXPECT_EQ(gltest::Calls()[0].args[1], first);
}

TEST_F(TextureTest, ReleaseDeletesOnce) {
  Texture t;
  t.LoadBmp(TextureFile::kGlobe, disk);
  const double generated = gltest::Calls()[0].args[1];
  t.Release();
  t.Release();
  EXPECT_EQ(gltest::Count("glDeleteTextures"), 1);
  EXPECT_EQ(gltest::Calls().back().args[1], generated);
}

TEST_F(TextureTest, UploadsTheRowsAsStoredWithFourByteAlignment) {
  bmptest::Layout l;
  l.width = 5;  // 15 bytes a row, padded to 16
  l.height = 3;
  const auto bytes = bmptest::Make(l);
  Texture t;
  EXPECT_TRUE(LoadBytes(t, bytes));
  EXPECT_EQ(gltest::CountWith("glPixelStorei", GL_UNPACK_ALIGNMENT), 1);
  ASSERT_EQ(gltest::Count("gluBuild2DMipmaps"), 1);
  const gltest::Call& build = gltest::Calls().back();
  EXPECT_EQ(build.args[1], 3);
  EXPECT_EQ(build.args[4], GL_BGR_EXT);
  const gltest::Upload& up = gltest::LastUpload();
  EXPECT_EQ(up.width, 5);
  EXPECT_EQ(up.height, 3);
  ASSERT_EQ(up.bytes.size(), 48u);
  EXPECT_TRUE(std::equal(up.bytes.begin(), up.bytes.end(), bytes.begin() + 54));
}

TEST_F(TextureTest, TopDownBitmapLoadsWithoutBuildingAnImage) {
  bmptest::Layout l;
  l.height = -4;
  Texture t;
  EXPECT_TRUE(LoadBytes(t, bmptest::Make(l)));
  EXPECT_EQ(gltest::Count("gluBuild2DMipmaps"), 0);
}

TEST_F(TextureTest, BrokenDataUploadsNothing) {
  bmptest::Layout l;
  l.pixel_bytes = 5;
  Texture t;
  EXPECT_FALSE(LoadBytes(t, bmptest::Make(l)));
  EXPECT_EQ(gltest::Count("glPixelStorei"), 0);
  EXPECT_EQ(gltest::Count("gluBuild2DMipmaps"), 0);
}

}  // namespace
}  // namespace vantrel
