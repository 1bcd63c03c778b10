// Sequential file reading through the Win32 file API, and the user's local
// folder in UTF-8.
#include <windows.h>

#include "texture.h"
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

}  // namespace

std::unique_ptr<ByteSource> Open_Sequential_File(const char* path) {
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
  if (length <= 0) return nullptr;
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, wide.data(), length);
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32FileSource>(file);
}

std::string Local_App_Data_Folder() {
  const std::wstring path = App_Data_Folder(AppDataFolder::kLocal, /*create=*/false);
  if (path.empty()) return {};
  const int length = static_cast<int>(path.size());
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, path.data(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, path.data(), length, utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

}  // namespace vantrel
