// Reader for the texture bitmap files: a Windows BMP file header, an info
// block read up to the pixel-data offset, then the pixel data. Works over a
// byte source so that it can run on files, memory and fuzzer input alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrel {

// Sequential input: Read copies up to `size` bytes into `out` and returns how
// many arrived (fewer only at the end of the input or on a read error).
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual size_t Read(void* out, size_t size) = 0;
};

class MemoryByteSource final : public ByteSource {
 public:
  MemoryByteSource(const void* data, size_t size)
      : data_(static_cast<const uint8_t*>(data)), size_(size) {}
  size_t Read(void* out, size_t size) override;

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

enum class BitmapError {
  kNone,
  kShortHeader,       // fewer than 14 file-header bytes
  kNotBitmap,         // the file does not start with "BM"
  kBadOffset,         // pixel-data offset leaves no room for an info header
  kShortInfo,         // info block shorter than the offset says
  kShortPixels,       // pixel data shorter than the computed size
  kTooSmallForImage,  // pixel data cannot hold the rows the upload reads
  kTooLarge,          // sizes beyond what a texture can be
};

struct BitmapImage {
  int32_t width = 0;
  int32_t height = 0;  // as stored: negative for a top-down bitmap
  uint16_t bit_count = 0;
  std::vector<uint8_t> pixels;  // bottom-up BGR rows, each padded to 4 bytes

  // Whether the image is handed to OpenGL; a size below 1 (a top-down
  // bitmap among them) is accepted but builds no image.
  bool HasUploadableSize() const { return width >= 1 && height >= 1; }
};

struct BitmapReadResult {
  BitmapError error = BitmapError::kNone;
  BitmapImage image;
  bool ok() const { return error == BitmapError::kNone; }
};

// Bytes in one padded row of 24-bit pixels, as the upload reads them
// (GL_UNPACK_ALIGNMENT 4).
uint64_t Padded_Row_Bytes(uint64_t width, uint64_t bit_count);

// Reads one bitmap from `source`. Never reads or writes outside its buffers;
// allocation grows only with the bytes that actually arrive.
BitmapReadResult Read_Bitmap(ByteSource& source);

}  // namespace vantrel
