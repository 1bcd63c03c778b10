#include "texture.h"

#include "gl_api.h"

namespace vantrel {

void Texture::Create() {
  Release();
  GLuint name = 0;
  glGenTextures(1, &name);
  name_plus_one_ = name + 1;
  glBindTexture(GL_TEXTURE_2D, name_plus_one_ - 1);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
}

bool Texture::LoadBmp(TextureFile file, TextureDisk& disk) {
  Create();
  return Upload(Read_Texture_File(file, disk));
}

bool Texture::Upload(const BitmapReadResult& read) {
  if (!read.ok()) return false;
  const BitmapImage& image = read.image;

  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  // GLU refuses sizes below 1 (a top-down bitmap) without building an image;
  // the call is skipped for them so it never sees a buffer it would misread.
  if (image.HasUploadableSize()) {
    (void)gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_BGR_EXT,
                            GL_UNSIGNED_BYTE, image.pixels.data());  // result deliberately ignored
  }
  return true;
}

void Texture::Bind() const { glBindTexture(GL_TEXTURE_2D, name_plus_one_ - 1); }

void Texture::Release() {
  if (name_plus_one_ == 0) return;
  const GLuint name = name_plus_one_ - 1;
  glDeleteTextures(1, &name);
  name_plus_one_ = 0;
}

}  // namespace vantrel
