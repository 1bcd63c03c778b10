// The two texture files: the host writes them at each saver run and the
// renderer reads them once, at its start. Both programs find them here, in
// the same order: the root of C:, then, where a standard user may not write
// there, the same name in the user's local Vantrel folder. A write leaves
// the old file or the whole new one, and skips a file that already holds
// the bytes, as after an earlier run.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bitmap_reader.h"

namespace vantrel {

enum class TextureFile { kGlobe, kGlow };

// The file system as the texture files meet it.
class TextureDisk {
 public:
  virtual ~TextureDisk() = default;
  // The user's local application-data folder, made first when `create`;
  // empty when there is none. Asked only when the root of C: fails: the
  // lookup costs a start time.
  virtual std::wstring LocalAppData(bool create) = 0;
  // Makes one folder; true when it exists afterwards.
  virtual bool MakeFolder(const std::wstring& path) = 0;
  // Writes the whole file through a temporary one beside it, so that a
  // write that fails part-way leaves the old file or none; true when done.
  virtual bool WriteWhole(const std::wstring& path, const std::vector<uint8_t>& bytes) = 0;
  // Opens a file for sequential reading; null when it does not open.
  virtual std::unique_ptr<ByteSource> Open(const std::wstring& path) = 0;
};

// Writes the bitmap file `bytes` to the root of C:, or where that fails, to
// the user's local Vantrel folder (made first). False when neither took it.
bool Save_Texture_File(TextureFile file, const std::vector<uint8_t>& bytes, TextureDisk& disk);

// The bitmap in the file at the root of C:, or the user's copy where that
// does not open or does not read as a bitmap (cut short, or left by someone
// else); the first error when neither reads.
BitmapReadResult Read_Texture_File(TextureFile file, TextureDisk& disk);

// The platform's own file system. Windows only.
TextureDisk& Texture_Disk();

}  // namespace vantrel
