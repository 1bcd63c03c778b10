#include "user_folders.h"

#include <windows.h>
#include <shlobj.h>

namespace vantrel {

std::wstring App_Data_Folder(AppDataFolder which, bool create) {
  // shell32 is loaded only when a folder is asked for, so that the renderer's
  // usual start, which finds its textures in C:\ , does not pay for it.
  using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
  HMODULE shell = LoadLibraryA("shell32.dll");
  if (!shell) return {};
  // Through void (*)() because FARPROC's own type does not match any entry point.
  const auto get_folder_path = reinterpret_cast<GetFolderPath>(
      reinterpret_cast<void (*)()>(GetProcAddress(shell, "SHGetFolderPathW")));
  const int folder = (which == AppDataFolder::kLocal ? CSIDL_LOCAL_APPDATA : CSIDL_APPDATA) |
                     (create ? CSIDL_FLAG_CREATE : 0);
  wchar_t path[MAX_PATH] = {};
  const bool found = get_folder_path &&
                     SUCCEEDED(get_folder_path(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path));
  FreeLibrary(shell);
  if (!found) return {};
  path[MAX_PATH - 1] = L'\0';
  return path;
}

bool Make_Folder(const std::wstring& path) {
  if (CreateDirectoryW(path.c_str(), nullptr)) return true;
  // Something already there counts only when it is a folder, not a file.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace vantrel
