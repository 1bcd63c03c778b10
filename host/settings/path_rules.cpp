#include "settings/path_rules.h"

namespace vantrel::host {

std::wstring Folder_Of(const std::wstring& path) {
  const size_t last = path.find_last_of(L":\\");
  std::wstring folder = last == std::wstring::npos ? std::wstring() : path.substr(0, last + 1);
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

std::wstring Program_Folder(const std::wstring& host_file) {
  std::wstring folder = Folder_Of(host_file);
  if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
  return folder;
}

bool File_Exists(const std::wstring& path, FilePort& files) {
  std::wstring probe = path;
  if (!probe.empty() && probe.back() == L'\\') probe.pop_back();
  if (probe.empty()) return false;
  return files.CanOpenForReading(probe);
}

std::wstring User_Folder(FilePort& files, AppDataFolder which, bool make) {
  const std::wstring folder = Vantrel_Folder(files.AppData(which));
  if (folder.empty() || (make && !files.MakeFolder(folder))) return {};
  return folder;
}

}  // namespace vantrel::host
