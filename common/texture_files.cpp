#include "texture_files.h"

#include <utility>

#include "user_folders.h"

namespace vantrel {
namespace {

constexpr const wchar_t* kTextureFolder = L"C:";

const wchar_t* NameOf(TextureFile file) {
  return file == TextureFile::kGlobe ? L"\\Yarrin1.bmp" : L"\\Yarrin2.bmp";
}

// The file at the root of C: ("C:\Yarrin1.bmp", "C:\Yarrin2.bmp").
std::wstring Texture_Path(TextureFile file) { return kTextureFolder + std::wstring(NameOf(file)); }

// Whether the file at `path` holds exactly `bytes`: one byte more is read
// to tell a longer file.
bool Holds(TextureDisk& disk, const std::wstring& path, const std::vector<uint8_t>& bytes) {
  std::unique_ptr<ByteSource> file = disk.Open(path);
  if (!file) return false;
  std::vector<uint8_t> held(bytes.size() + 1);
  held.resize(file->Read(held.data(), held.size()));
  return held == bytes;
}

// Reading a file costs less than writing it again.
bool Write(TextureDisk& disk, const std::wstring& path, const std::vector<uint8_t>& bytes) {
  return Holds(disk, path, bytes) || disk.WriteWhole(path, bytes);
}

BitmapReadResult Read(TextureDisk& disk, const std::wstring& path) {
  std::unique_ptr<ByteSource> file = disk.Open(path);
  if (!file) return BitmapReadResult{BitmapError::kShortHeader, {}};
  return Read_Bitmap(*file);  // the file closes here
}

}  // namespace

bool Save_Texture_File(TextureFile file, const std::vector<uint8_t>& bytes, TextureDisk& disk) {
  if (bytes.empty()) return false;
  if (Write(disk, Texture_Path(file), bytes)) return true;
  const std::wstring folder = Vantrel_Folder(disk.LocalAppData(/*create=*/true));
  return !folder.empty() && disk.MakeFolder(folder) && Write(disk, folder + NameOf(file), bytes);
}

BitmapReadResult Read_Texture_File(TextureFile file, TextureDisk& disk) {
  BitmapReadResult read = Read(disk, Texture_Path(file));
  if (read.ok()) return read;
  const std::wstring folder = Vantrel_Folder(disk.LocalAppData(/*create=*/false));
  if (folder.empty()) return read;
  BitmapReadResult user = Read(disk, folder + NameOf(file));
  return user.ok() ? user : read;
}

}  // namespace vantrel
