// One OpenGL 2D texture read from a texture file.
#pragma once

#include <cstdint>

#include "bitmap_reader.h"
#include "texture_files.h"

namespace vantrel {

// Its owner calls Release while the texture's context is current: a
// destructor could run only after the context is gone.
class Texture {
 public:
  Texture() = default;
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  // Deletes the texture held, generates a fresh one, binds it and sets its
  // parameters; then reads the texture file from `disk` (Read_Texture_File)
  // and builds its mipmaps. False when no bitmap could be read; the texture
  // then has no image.
  bool LoadBmp(TextureFile file, TextureDisk& disk);
  void Bind() const;
  void Release();

 private:
  void Create();
  bool Upload(const BitmapReadResult& read);

  uint32_t name_plus_one_ = 0;  // 0 means no texture is held
};

}  // namespace vantrel
