#include "bitmap_reader.h"

#include <algorithm>
#include <cstring>

namespace vantrel {
namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoFieldsBytes = 24;    // up to and including the image-size field
constexpr uint16_t kBitmapMagic = 0x4D42;  // "BM"

// No texture needs more; larger claims are refused before anything is kept.
constexpr uint64_t kMaxBlockBytes = 256u * 1024u * 1024u;
// Buffers grow by this much at a time, so a size field that lies costs only
// the bytes the file really holds.
constexpr size_t kReadChunk = 1u << 20;

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// Reads exactly `size` bytes into `out`; false when fewer arrive.
bool ReadBlock(ByteSource& source, uint64_t size, std::vector<uint8_t>& out) {
  out.clear();
  while (out.size() < size) {
    const size_t want = static_cast<size_t>(std::min<uint64_t>(kReadChunk, size - out.size()));
    const size_t old_size = out.size();
    out.resize(old_size + want);
    const size_t got = source.Read(out.data() + old_size, want);
    out.resize(old_size + std::min(got, want));
    if (got < want) return false;
  }
  return true;
}

}  // namespace

size_t MemoryByteSource::Read(void* out, size_t size) {
  const size_t count = std::min(size, size_ - position_);
  if (count > 0) std::memcpy(out, data_ + position_, count);
  position_ += count;
  return count;
}

uint64_t Padded_Row_Bytes(uint64_t width, uint64_t bit_count) {
  return ((bit_count * width + 7) / 8 + 3) / 4 * 4;
}

BitmapReadResult Read_Bitmap(ByteSource& source) {
  BitmapReadResult result;
  auto fail = [&result](BitmapError error) {
    result.error = error;
    result.image.pixels.clear();
    return result;
  };
  uint8_t header[kFileHeaderBytes];
  if (source.Read(header, sizeof header) < sizeof header) return fail(BitmapError::kShortHeader);
  if (ReadU16(header) != kBitmapMagic) return fail(BitmapError::kNotBitmap);

  // The info block runs from the end of the file header to the pixel data, so
  // a palette or a gap is skipped with it.
  const uint32_t pixel_offset = ReadU32(header + 10);
  if (pixel_offset < kFileHeaderBytes + kInfoFieldsBytes) return fail(BitmapError::kBadOffset);
  const uint64_t info_bytes = pixel_offset - kFileHeaderBytes;
  if (info_bytes > kMaxBlockBytes) return fail(BitmapError::kTooLarge);
  std::vector<uint8_t> info;
  if (!ReadBlock(source, info_bytes, info)) return fail(BitmapError::kShortInfo);

  BitmapImage& image = result.image;
  image.width = static_cast<int32_t>(ReadU32(info.data() + 4));
  image.height = static_cast<int32_t>(ReadU32(info.data() + 8));
  image.bit_count = ReadU16(info.data() + 14);
  const uint64_t abs_height =
      image.height < 0 ? -static_cast<int64_t>(image.height) : static_cast<uint64_t>(image.height);

  uint64_t pixel_bytes = ReadU32(info.data() + 20);
  if (pixel_bytes == 0) {
    const uint64_t width = image.width < 0 ? 0 : static_cast<uint64_t>(image.width);
    pixel_bytes = abs_height * Padded_Row_Bytes(width, image.bit_count);
  }
  if (pixel_bytes > kMaxBlockBytes) return fail(BitmapError::kTooLarge);
  if (!ReadBlock(source, pixel_bytes, image.pixels)) return fail(BitmapError::kShortPixels);

  // The upload always reads 24-bit rows; a file whose data cannot cover them
  // (a lower bit count, compressed data, a small image-size field) is refused.
  if (image.HasUploadableSize()) {
    const uint64_t needed = static_cast<uint64_t>(image.height) *
                            Padded_Row_Bytes(static_cast<uint64_t>(image.width), 24);
    if (needed > kMaxBlockBytes) return fail(BitmapError::kTooLarge);
    if (image.pixels.size() < needed) return fail(BitmapError::kTooSmallForImage);
  }
  return result;
}

}  // namespace vantrel
