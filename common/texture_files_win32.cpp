// The texture files' disk on Win32: the wide file calls, so that a user's
// folder outside the ANSI code page works too.
#include <windows.h>

#include <algorithm>

#include "texture_files.h"
#include "user_folders.h"

namespace vantrel {
namespace {

class Win32FileSource final : public ByteSource {
 public:
  explicit Win32FileSource(HANDLE file) : file_(file) {}
  ~Win32FileSource() override { CloseHandle(file_); }
  Win32FileSource(const Win32FileSource&) = delete;
  Win32FileSource& operator=(const Win32FileSource&) = delete;

  size_t Read(void* out, size_t size) override {
    size_t total = 0;
    auto* bytes = static_cast<char*>(out);
    while (total < size) {
      const DWORD want = static_cast<DWORD>(std::min<size_t>(size - total, 1u << 30));
      DWORD got = 0;
      if (!ReadFile(file_, bytes + total, want, &got, nullptr) || got == 0) break;
      total += got;
    }
    return total;
  }

 private:
  HANDLE file_;
};

class Win32TextureDisk final : public TextureDisk {
 public:
  std::wstring LocalAppData(bool create) override {
    return App_Data_Folder(AppDataFolder::kLocal, create);
  }

  bool MakeFolder(const std::wstring& path) override { return Make_Folder(path); }

  bool WriteWhole(const std::wstring& path, const std::vector<uint8_t>& bytes) override {
    const std::wstring temporary = path + L".tmp";
    HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool complete =
        WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    CloseHandle(handle);
    if (complete && MoveFileExW(temporary.c_str(), path.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    (void)DeleteFileW(temporary.c_str());  // nothing more to do when it fails
    return false;
  }

  std::unique_ptr<ByteSource> Open(const std::wstring& path) override {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32FileSource>(file);
  }
};

}  // namespace

TextureDisk& Texture_Disk() {
  static Win32TextureDisk disk;
  return disk;
}

}  // namespace vantrel
