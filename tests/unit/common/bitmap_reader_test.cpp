#include "bitmap_reader.h"

#include <gtest/gtest.h>

#include "bmp_bytes.h"

namespace vantrel {
namespace {

using bmptest::Layout;
using bmptest::Make;

BitmapReadResult Read(const std::vector<uint8_t>& bytes) {
  MemoryByteSource source(bytes.data(), bytes.size());
  return Read_Bitmap(source);
}

// A source that counts how much was asked of it, to show what is read.
class CountingSource final : public ByteSource {
 public:
  explicit CountingSource(const std::vector<uint8_t>& bytes) : inner_(bytes.data(), bytes.size()) {}
  size_t Read(void* out, size_t size) override {
    const size_t got = inner_.Read(out, size);
    delivered += got;
    return got;
  }
  size_t delivered = 0;

 private:
  MemoryByteSource inner_;
};

TEST(BitmapReader, ReadsPaddedRowsWhenImageSizeIsZero) {
  Layout l;
  l.width = 3;  // 9 bytes of pixels per row, stored as 12
  l.height = 2;
  const auto bytes = Make(l);
  const BitmapReadResult r = Read(bytes);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.image.width, 3);
  EXPECT_EQ(r.image.height, 2);
  ASSERT_EQ(r.image.pixels.size(), 24u);
  for (size_t i = 0; i < 24; ++i) EXPECT_EQ(r.image.pixels[i], uint8_t((i * 7 + 1) & 0xFF));
}

TEST(BitmapReader, StartsPixelsAtTheHeaderOffsetPastAPaletteGap) {
  Layout l;
  l.gap = 1024;  // a palette the reader must skip
  const auto bytes = Make(l);
  CountingSource source(bytes);
  const BitmapReadResult r = Read_Bitmap(source);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.image.pixels.front(), 1);  // the first pixel byte, not palette filler
  EXPECT_EQ(source.delivered, bytes.size());
}

TEST(BitmapReader, UsesTheImageSizeFieldWhenSet) {
  Layout l;
  l.width = 4;  // rows of exactly 12 bytes
  l.height = 1;
  l.image_size = 16;  // larger than needed: all of it is read
  l.pixel_bytes = 16;
  const BitmapReadResult r = Read(Make(l));
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.image.pixels.size(), 16u);
}

TEST(BitmapReader, AcceptsTopDownBitmapButBuildsNoImage) {
  Layout l;
  l.height = -2;
  const BitmapReadResult r = Read(Make(l));
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.image.height, -2);
  EXPECT_FALSE(r.image.HasUploadableSize());
}

struct FailureCase {
  const char* name;
  std::vector<uint8_t> bytes;
  BitmapError expected;
};

std::vector<FailureCase> FailureCases() {
  std::vector<FailureCase> cases;
  const auto good = Make(Layout{});
  cases.push_back({"empty file", {}, BitmapError::kShortHeader});
  cases.push_back({"13 header bytes", std::vector<uint8_t>(good.begin(), good.begin() + 13),
                   BitmapError::kShortHeader});
  auto not_bm = good;
  not_bm[1] = 'X';
  cases.push_back({"not BM", not_bm, BitmapError::kNotBitmap});
  cases.push_back({"only the file header", std::vector<uint8_t>(good.begin(), good.begin() + 14),
                   BitmapError::kShortInfo});
  Layout far;
  far.offset = 5000;  // the info block would run past the end of the file
  cases.push_back({"offset beyond the file", Make(far), BitmapError::kShortInfo});
  Layout truncated;
  truncated.pixel_bytes = 10;  // 24 needed
  cases.push_back({"truncated pixels", Make(truncated), BitmapError::kShortPixels});
  Layout short_info;
  short_info.offset = 14 + 20;  // no room for the size fields at bytes 20..23
  cases.push_back({"info block under 24 bytes", Make(short_info), BitmapError::kBadOffset});
  Layout below_header;
  below_header.offset = 4;  // would make the info block's size negative
  cases.push_back({"offset inside the file header", Make(below_header), BitmapError::kBadOffset});
  Layout low_bits;
  low_bits.bit_count = 8;  // 8-bit rows hold a third of what the upload reads
  low_bits.width = 16;
  low_bits.height = 4;
  low_bits.pixel_bytes = 64;
  cases.push_back({"8-bit data", Make(low_bits), BitmapError::kTooSmallForImage});
  Layout rle;
  rle.compression = 1;  // run-length data, far smaller than the image
  rle.image_size = 6;
  rle.pixel_bytes = 6;
  cases.push_back({"compressed data", Make(rle), BitmapError::kTooSmallForImage});
  Layout small_field;
  small_field.width = 10;
  small_field.height = 10;
  small_field.image_size = 100;  // 320 needed
  small_field.pixel_bytes = 100;
  cases.push_back({"small image-size field", Make(small_field), BitmapError::kTooSmallForImage});
  Layout huge;
  huge.width = 0x7FFFFFFF;
  huge.height = 0x7FFFFFFF;
  huge.pixel_bytes = 32;
  cases.push_back({"overflowing size", Make(huge), BitmapError::kTooLarge});
  Layout lying;
  lying.image_size = 0xFFFFFFF0u;
  lying.pixel_bytes = 32;
  cases.push_back({"image-size field of 4 GiB", Make(lying), BitmapError::kTooLarge});
  Layout big_but_short;
  big_but_short.image_size = 200u * 1024 * 1024;
  big_but_short.pixel_bytes = 32;
  cases.push_back(
      {"200 MiB claimed, 32 bytes present", Make(big_but_short), BitmapError::kShortPixels});
  return cases;
}

TEST(BitmapReader, RefusesEveryBrokenOrHostileFile) {
  for (const FailureCase& c : FailureCases()) {
    SCOPED_TRACE(c.name);
    const BitmapReadResult r = Read(c.bytes);
    EXPECT_EQ(r.error, c.expected);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.image.pixels.empty());
  }
}

TEST(BitmapReader, ReadsNothingBeyondTheHeaderOfANonBitmap) {
  auto bytes = Make(Layout{});
  bytes[0] = 'P';
  CountingSource source(bytes);
  EXPECT_EQ(Read_Bitmap(source).error, BitmapError::kNotBitmap);
  EXPECT_EQ(source.delivered, 14u);
}

TEST(BitmapReader, PaddedRowBytesRoundsUpToFourBytes) {
  EXPECT_EQ(Padded_Row_Bytes(1, 24), 4u);
  EXPECT_EQ(Padded_Row_Bytes(3, 24), 12u);
  EXPECT_EQ(Padded_Row_Bytes(4, 24), 12u);
  EXPECT_EQ(Padded_Row_Bytes(5, 24), 16u);
  EXPECT_EQ(Padded_Row_Bytes(96, 24), 288u);
  EXPECT_EQ(Padded_Row_Bytes(9, 1), 4u);
}

}  // namespace
}  // namespace vantrel
