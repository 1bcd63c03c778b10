// One OpenGL 2D texture and the path it was created for.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "bitmap_reader.h"

namespace vantrel {

// Its owner calls Release while the texture's context is current: a
// destructor could run only after the context is gone.
class Texture {
 public:
  Texture() = default;
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  // Generates a fresh texture, binds it and sets its parameters. Always true.
  bool Create(const char* path);
  // Create, then read the bitmap at `path`, or at its UserTexturePath when
  // `path` does not open or does not read as a bitmap, and build its mipmaps. False when the file cannot
  // be read as a bitmap; the texture then has no image.
  bool LoadBmp(const char* path);
  // The same from an already opened source (the file part of LoadBmp).
  bool LoadFrom(ByteSource& source);
  void Bind() const;
  void Release();

  const char* name() const { return name_; }
  uint32_t name_plus_one() const { return name_plus_one_; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }

 private:
  bool Upload(const BitmapReadResult& read);

  char name_[64] = {};
  uint32_t name_plus_one_ = 0;  // 0 means no texture is held
  int32_t width_ = 0;
  int32_t height_ = 0;
};

// Opens a file for sequential reading; null when it cannot be opened. The
// path is UTF-8, so that it may hold any character. Implemented once per
// platform.
std::unique_ptr<ByteSource> OpenSequentialFile(const char* path);
// The user's local application-data folder in UTF-8; empty when the platform
// has none. Implemented once per platform.
std::string LocalAppDataFolder();

// Where the host puts a texture file that it may not write to `path`: the
// same name in the Vantrel folder of `local_app_data`; empty without one.
std::string UserTexturePath(const char* path, const std::string& local_app_data);

inline constexpr const char* kGlobeTexturePath = "C:\\Yarrin1.BMP";
inline constexpr const char* kGlowTexturePath = "C:\\Yarrin2.BMP";
inline constexpr const char* kUserTextureSubfolder = "\\Vantrel";

}  // namespace vantrel
