// One OpenGL 2D texture read from a bitmap file, and where the files are.
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

  // Deletes the texture held, generates a fresh one, binds it and sets its
  // parameters; then reads the bitmap at `path`, or at its User_Texture_Path
  // when `path` does not open or does not read as a bitmap, and builds its
  // mipmaps. False when no bitmap could be read; the texture then has no image.
  bool LoadBmp(const char* path);
  void Bind() const;
  void Release();

 private:
  void Create();
  bool Upload(const BitmapReadResult& read);

  uint32_t name_plus_one_ = 0;  // 0 means no texture is held
};

// Opens a file for sequential reading; null when it cannot be opened. The
// path is UTF-8, so that it may hold any character. Implemented once per
// platform.
std::unique_ptr<ByteSource> Open_Sequential_File(const char* path);
// The user's local application-data folder in UTF-8; empty when the platform
// has none. Implemented once per platform.
std::string Local_App_Data_Folder();

// Where the host puts a texture file that it may not write to `path`: the
// same name in the Vantrel folder of `local_app_data`; empty without one.
std::string User_Texture_Path(const char* path, const std::string& local_app_data);

}  // namespace vantrel
