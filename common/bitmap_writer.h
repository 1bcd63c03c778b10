// Writer of the texture bitmap files: uncompressed 24-bit Windows bitmaps
// with a 40-byte info header and bottom-up rows, the form the renderer's
// reader takes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrel {

// 24-bit pixels, blue-green-red, rows bottom-up, `stride` bytes apart.
struct BgrImage {
  int32_t width = 0;
  int32_t height = 0;
  size_t stride = 0;
  const uint8_t* rows = nullptr;
};

// The whole file: 14-byte file header, 40-byte info header, then the rows
// each padded to a multiple of 4 bytes. Empty when the image has no pixels
// or its size does not fit a bitmap file.
std::vector<uint8_t> Encode_Bitmap_File(const BgrImage& image);

}  // namespace vantrel
