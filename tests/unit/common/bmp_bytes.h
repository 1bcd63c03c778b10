// Builds bitmap files in memory for the reader's tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace bmptest {

struct Layout {
  int32_t width = 3;
  int32_t height = 2;
  uint16_t bit_count = 24;
  uint32_t compression = 0;
  uint32_t image_size = 0;   // the header's field; 0 lets the reader compute it
  uint32_t gap = 0;          // bytes between the info header and the pixels
  int64_t pixel_bytes = -1;  // pixel bytes actually present; -1 = |h| padded rows
  int64_t offset = -1;       // the header's pixel offset; -1 = 54 + gap
};

inline void Put16(std::vector<uint8_t>& v, size_t at, uint16_t x) {
  v[at] = x & 0xFF;
  v[at + 1] = x >> 8;
}
inline void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = (x >> (8 * i)) & 0xFF;
}

// Pixel byte i of the data is (i * 7 + 1) & 0xFF, so positions can be checked.
inline std::vector<uint8_t> Make(const Layout& l) {
  const uint32_t abs_h = l.height < 0 ? -l.height : l.height;
  const size_t row = (size_t(l.width) * 3 + 3) / 4 * 4;
  const size_t pixels = l.pixel_bytes < 0 ? row * abs_h : size_t(l.pixel_bytes);
  std::vector<uint8_t> v(54 + l.gap + pixels, 0xEE);
  v[0] = 'B';
  v[1] = 'M';
  Put32(v, 2, uint32_t(v.size()));
  Put32(v, 6, 0);
  Put32(v, 10, l.offset < 0 ? 54 + l.gap : uint32_t(l.offset));
  Put32(v, 14, 40);
  Put32(v, 18, uint32_t(l.width));
  Put32(v, 22, uint32_t(l.height));
  Put16(v, 26, 1);
  Put16(v, 28, l.bit_count);
  Put32(v, 30, l.compression);
  Put32(v, 34, l.image_size);
  for (size_t i = 38; i < 54; ++i) v[i] = 0;
  for (size_t i = 0; i < pixels; ++i) v[54 + l.gap + i] = uint8_t((i * 7 + 1) & 0xFF);
  return v;
}

}  // namespace bmptest
