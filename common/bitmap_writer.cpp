#include "bitmap_writer.h"

#include <algorithm>
#include <cstring>

#include "bitmap_reader.h"

namespace vantrel {
namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kPixelsPerMetre = 3780;  // 96 dpi
// Far above the textures' sizes; keeps every size field within 32 bits.
constexpr int32_t kMaxSide = 16384;

void PutU16(std::vector<uint8_t>& out, size_t at, uint16_t value) {
  out[at] = static_cast<uint8_t>(value);
  out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> Encode_Bitmap_File(const BgrImage& image) {
  if (image.width < 1 || image.height < 1 || image.width > kMaxSide || image.height > kMaxSide ||
      image.rows == nullptr) {
    return {};
  }
  const size_t row_bytes = static_cast<size_t>(image.width) * 3;
  if (image.stride < row_bytes) return {};
  const uint32_t padded_row = static_cast<uint32_t>(Padded_Row_Bytes(image.width, 24));
  const uint32_t image_bytes = padded_row * static_cast<uint32_t>(image.height);
  const uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes;

  std::vector<uint8_t> file(offset + image_bytes, 0);
  file[0] = 'B';
  file[1] = 'M';
  PutU32(file, 2, offset + image_bytes);
  PutU32(file, 10, offset);

  PutU32(file, 14, kInfoHeaderBytes);
  PutU32(file, 18, static_cast<uint32_t>(image.width));
  PutU32(file, 22, static_cast<uint32_t>(image.height));  // positive: bottom-up
  PutU16(file, 26, 1);                                    // planes
  PutU16(file, 28, 24);                                   // bits per pixel
  PutU32(file, 30, 0);                                    // BI_RGB
  PutU32(file, 34, image_bytes);
  PutU32(file, 38, kPixelsPerMetre);
  PutU32(file, 42, kPixelsPerMetre);

  for (int32_t y = 0; y < image.height; ++y) {
    std::memcpy(file.data() + offset + static_cast<size_t>(y) * padded_row,
                image.rows + static_cast<size_t>(y) * image.stride, row_bytes);
  }
  return file;
}

}  // namespace vantrel
