// The settings file's platform ports on Win32: the profile file and the file system.
#pragma once

#include "settings/path_rules.h"
#include "settings/settings_file.h"

namespace vantrel::host {

class Win32ProfilePort final : public ProfilePort {
 public:
  std::wstring GetString(const std::wstring& section, const std::wstring& key,
                         const std::wstring& fallback, const std::wstring& file,
                         size_t capacity) override;
  bool WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                   const std::wstring& file) override;
  std::optional<size_t> StoredBytes(const std::wstring& value) override;
  std::optional<std::wstring> TextOfBytes(const std::string& bytes) override;
};

class Win32FilePort final : public FilePort {
 public:
  bool CanOpenForReading(const std::wstring& path) override;
  std::optional<uint64_t> LastWriteTime(const std::wstring& path) override;
  std::wstring AppData(AppDataFolder which) override;
  bool MakeFolder(const std::wstring& path) override;
  void RemoveFile(const std::wstring& path) override;
  std::wstring ShortPath(const std::wstring& path) override;
};

}  // namespace vantrel::host
