#include "texture.h"

#include <cstring>
#include <utility>

#include "gl_api.h"
#include "shared_names.h"

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

namespace {

// The bitmap in the file at `path`, or an error when the file does not open.
BitmapReadResult ReadBitmapFile(const std::string& path) {
  std::unique_ptr<ByteSource> file = Open_Sequential_File(path.c_str());
  if (!file) return BitmapReadResult{BitmapError::kShortHeader, {}};
  return Read_Bitmap(*file);  // the file closes here, before any upload
}

}  // namespace

bool Texture::LoadBmp(const char* path) {
  Create();
  BitmapReadResult read = ReadBitmapFile(path);
  if (!read.ok()) {
    // A standard user's host writes the user's copy where it may not write
    // `path`; a file there that is not a bitmap (cut short, or left by
    // someone else) gives way to that copy too.
    const std::string fallback = User_Texture_Path(path, Local_App_Data_Folder());
    if (!fallback.empty()) {
      BitmapReadResult user = ReadBitmapFile(fallback);
      if (user.ok()) read = std::move(user);
    }
  }
  return Upload(read);
}

std::string User_Texture_Path(const char* path, const std::string& local_app_data) {
  if (local_app_data.empty()) return {};
  const char* name = std::strrchr(path, '\\');
  return local_app_data + kUserFolderName + (name ? name : "\\" + std::string(path));
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
