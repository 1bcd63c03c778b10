// Sequential file reading through the Win32 file API; the user's folder
// through the shell.
#include <windows.h>
#include <shlobj.h>

#include "texture.h"

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

std::unique_ptr<ByteSource> OpenSequentialFile(const char* path) {
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
  if (length <= 0) return nullptr;
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, wide.data(), length);
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32FileSource>(file);
}

std::string LocalAppDataFolder() {
  // shell32 is loaded only here, when a texture is missing from C:\, so that
  // the usual start does not pay for loading it. The wide call gives the
  // folder whole, whatever characters the user's name has.
  using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
  HMODULE shell = LoadLibraryA("shell32.dll");
  if (!shell) return {};
  // Through void (*)() because FARPROC's own type does not match any entry point.
  const auto get_folder_path = reinterpret_cast<GetFolderPath>(
      reinterpret_cast<void (*)()>(GetProcAddress(shell, "SHGetFolderPathW")));
  wchar_t path[MAX_PATH] = {};
  const bool found =
      get_folder_path &&
      SUCCEEDED(get_folder_path(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path));
  FreeLibrary(shell);
  if (!found) return {};
  path[MAX_PATH - 1] = L'\0';
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, path, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return {};
  std::string utf8(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, path, -1, utf8.data(), bytes, nullptr, nullptr);
  utf8.pop_back();  // the terminating NUL
  return utf8;
}

}  // namespace vantrel
