// The host's platform ports on Win32: profile file, file system, MCI.
#pragma once

#include "music/yarrin_bgm.h"
#include "path_rules.h"
#include "settings_file.h"

namespace vantrel::host {

class Win32ProfilePort final : public ProfilePort {
 public:
  std::wstring GetString(const std::wstring& section, const std::wstring& key,
                         const std::wstring& fallback, const std::wstring& file,
                         size_t capacity) override;
  bool WriteString(const std::wstring& section, const std::wstring& key,
                   const std::wstring& value, const std::wstring& file) override;
};

class Win32FilePort final : public FilePort {
 public:
  bool CanOpenForReading(const std::wstring& path) override;
  std::wstring AppData(AppDataFolder which) override;
  bool MakeFolder(const std::wstring& path) override;
  void RemoveFile(const std::wstring& path) override;
};

class Win32MciPort final : public MciPort {
 public:
  uint32_t SendString(const std::wstring& command, std::wstring* reply,
                      size_t capacity) override;
  bool GetErrorString(uint32_t code, std::wstring& text, size_t capacity) override;
  uint32_t WaveOutDeviceCount() override;
  void PlaySoundFile(const std::wstring* name, uint32_t flags) override;
};

}  // namespace vantrel::host
