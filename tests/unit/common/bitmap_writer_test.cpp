#include "bitmap_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "bitmap_reader.h"

namespace vantrel {
namespace {

// A picture whose every byte tells its place, so a misplaced row or a lost
// padding byte shows.
std::vector<uint8_t> Pattern(int width, int height, size_t stride) {
  std::vector<uint8_t> rows(stride * height, 0xEE);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width * 3; ++x) rows[y * stride + x] = static_cast<uint8_t>(y * 31 + x);
  }
  return rows;
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

TEST(BitmapWriter, RendererReadsBackEveryPixel) {
  for (const auto& size : {std::pair{96, 96}, std::pair{256, 256}, std::pair{5, 3}, std::pair{1, 1},
                           std::pair{7, 2}}) {
    const int width = size.first, height = size.second;
    const size_t stride = width * 3 + 5;  // source rows need not be padded like the file's
    const std::vector<uint8_t> rows = Pattern(width, height, stride);
    const std::vector<uint8_t> file = Encode_Bitmap_File({width, height, stride, rows.data()});

    MemoryByteSource source(file.data(), file.size());
    const BitmapReadResult read = Read_Bitmap(source);
    ASSERT_TRUE(read.ok()) << width << "x" << height;
    EXPECT_EQ(read.image.width, width);
    EXPECT_EQ(read.image.height, height);
    EXPECT_EQ(read.image.bit_count, 24);
    const size_t padded = (width * 3 + 3) / 4 * 4;
    ASSERT_EQ(read.image.pixels.size(), padded * height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width * 3; ++x) {
        ASSERT_EQ(read.image.pixels[y * padded + x], rows[y * stride + x])
            << width << "x" << height << " at row " << y << " byte " << x;
      }
    }
  }
}

TEST(BitmapWriter, HeaderIsAnUncompressedBottomUpBitmap) {
  const std::vector<uint8_t> rows = Pattern(5, 3, 15);
  const std::vector<uint8_t> file = Encode_Bitmap_File({5, 3, 15, rows.data()});
  ASSERT_EQ(file.size(), 54u + 16u * 3u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(U32(file, 2), file.size());
  EXPECT_EQ(U32(file, 10), 54u);
  EXPECT_EQ(U32(file, 14), 40u);
  EXPECT_EQ(static_cast<int32_t>(U32(file, 22)), 3);  // positive height
  EXPECT_EQ(U32(file, 30), 0u);                       // no compression
  EXPECT_EQ(U32(file, 34), 48u);
  // Padding bytes are zero, not whatever followed the source row.
  EXPECT_EQ(file[54 + 15], 0);
}

TEST(BitmapWriter, RefusesImagesWithoutPixels) {
  const std::vector<uint8_t> rows(64, 0);
  EXPECT_TRUE(Encode_Bitmap_File({0, 4, 12, rows.data()}).empty());
  EXPECT_TRUE(Encode_Bitmap_File({4, -4, 12, rows.data()}).empty());
  EXPECT_TRUE(Encode_Bitmap_File({4, 4, 11, rows.data()}).empty());
  EXPECT_TRUE(Encode_Bitmap_File({4, 4, 12, nullptr}).empty());
}

}  // namespace
}  // namespace vantrel
