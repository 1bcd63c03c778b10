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
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32FileSource>(file);
}

std::string LocalAppDataFolder() {
  // shell32 is loaded only here, when a texture is missing from C:\, so that
  // the usual start does not pay for loading it.
  using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
  HMODULE shell = LoadLibraryA("shell32.dll");
  if (!shell) return {};
  // Through void (*)() because FARPROC's own type does not match any entry point.
  const auto get_folder_path = reinterpret_cast<GetFolderPath>(
      reinterpret_cast<void (*)()>(GetProcAddress(shell, "SHGetFolderPathA")));
  char path[MAX_PATH] = {};
  const bool found =
      get_folder_path &&
      SUCCEEDED(get_folder_path(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path));
  FreeLibrary(shell);
  return found ? path : std::string();
}

}  // namespace vantrel
