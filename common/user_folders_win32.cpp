#include "user_folders.h"

#include <windows.h>
#include <shlobj.h>

namespace vantrel {

// shell32 is delay-loaded by both programs (their CMakeLists.txt), so that
// the renderer's usual start, which finds its textures in C:\, does not load
// it. Each folder is asked once for each `create`: the shell's answer holds
// while a program runs, but an answer without `create` may name a folder
// that is not there (S_FALSE), which a later ask with `create` must make.
std::wstring App_Data_Folder(AppDataFolder which, bool create) {
  static std::wstring found[2][2];
  std::wstring& kept = found[which == AppDataFolder::kLocal ? 0 : 1][create ? 1 : 0];
  if (!kept.empty()) return kept;
  const int folder = (which == AppDataFolder::kLocal ? CSIDL_LOCAL_APPDATA : CSIDL_APPDATA) |
                     (create ? CSIDL_FLAG_CREATE : 0);
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  path[MAX_PATH - 1] = L'\0';
  kept = path;
  return kept;
}

bool Make_Folder(const std::wstring& path) {
  if (CreateDirectoryW(path.c_str(), nullptr)) return true;
  // Something already there counts only when it is a folder, not a file.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace vantrel
