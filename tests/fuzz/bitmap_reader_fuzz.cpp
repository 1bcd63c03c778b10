// libFuzzer target: any bytes as a texture file. The reader must never read
// outside its buffers, and what it accepts must cover the rows it uploads.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "bitmap_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vantrel::MemoryByteSource source(data, size);
  const vantrel::BitmapReadResult result = vantrel::Read_Bitmap(source);
  if (result.ok() && result.image.HasUploadableSize()) {
    const uint64_t needed =
        static_cast<uint64_t>(result.image.height) *
        vantrel::Padded_Row_Bytes(static_cast<uint64_t>(result.image.width), 24);
    if (result.image.pixels.size() < needed) std::abort();
    // Touch the last byte the upload would read.
    volatile uint8_t last = result.image.pixels[needed - 1];
    (void)last;
  }
  return 0;
}
