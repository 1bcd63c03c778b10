// The settings file Vantrel.ini beside the host: one section with the three
// music keys, read once at start-up into the host-wide values. A user who
// may not write beside the host keeps the same file in their roaming
// application-data folder instead, and that one is read first.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "settings/host_wide.h"
#include "settings/path_rules.h"

namespace vantrel::host {

inline constexpr const wchar_t* kSettingsSection = L"Section";
inline constexpr const wchar_t* kKeyKind = L"BGM区分";
inline constexpr const wchar_t* kKeyRepeat = L"BGMﾘﾋﾟｰﾄ";
inline constexpr const wchar_t* kKeyFile = L"BGMﾌｧｲﾙ";
inline constexpr const wchar_t* kSettingsFileSuffix = L"\\Vantrel.ini";

// The profile-file calls of the platform, texts in the host's own form.
class ProfilePort {
 public:
  virtual ~ProfilePort() = default;
  // Value of `key`, or `fallback`; at most capacity - 1 bytes of it.
  virtual std::wstring GetString(const std::wstring& section, const std::wstring& key,
                                 const std::wstring& fallback, const std::wstring& file,
                                 size_t capacity) = 0;
  // True when the key reached the file.
  virtual bool WriteString(const std::wstring& section, const std::wstring& key,
                           const std::wstring& value, const std::wstring& file) = 0;
  // The bytes `value` takes in the file's code page; nothing when that code
  // page cannot hold it.
  virtual std::optional<size_t> StoredBytes(const std::wstring& value) = 0;
};

// The most bytes of a value that Ini_Read gives back whole.
inline constexpr size_t kMaxValueBytes = 255;

// The key's value, or the empty text; at most 255 bytes of it.
std::wstring Ini_Read(ProfilePort& profile, const std::wstring& section, const std::wstring& key,
                      const std::wstring& file);

// Writes one key; the platform makes the file and section as needed. True
// when it was written; nothing is shown on a failure.
bool Ini_Write(ProfilePort& profile, const std::wstring& section, const std::wstring& key,
               const std::wstring& value, const std::wstring& file);

// Set: the three keys, every time, whatever the kind. They go to
// "\Vantrel.ini" in the program folder; when a write there fails, all three
// go to the per-user settings file instead. When they all succeed, a per-user
// file left from earlier is removed so that it cannot hide them, and where it
// cannot be removed it takes the keys too. True when the file that the next
// start reads holds them.
bool Write_Settings(const HostWide& host, ProfilePort& profile, FilePort& files,
                    const std::wstring& program_folder);

// The form of a chosen sound file's path that the settings file holds and
// reads back whole: the path itself where the file's code page holds it, else
// its short (8.3) form, which is plain ASCII; nothing when neither does.
std::optional<std::wstring> Storable_Path(const std::wstring& path, ProfilePort& profile,
                                          FilePort& files);

// The per-user settings file; its folder is made first when `make` is true.
// Empty when the user has no such folder.
std::wstring User_Settings_File(FilePort& files, bool make);

// Fills BGM_Kind, BGM_RepeatTrack, BGM_File and BGM_Dir from the per-user
// settings file when it exists, from the one in `program_folder` otherwise.
// A number that does not read leaves its value
// alone; a sound file that cannot be opened is dropped, and with it the
// sound-file kind.
void Load_Settings(HostWide& host, ProfilePort& profile, FilePort& files,
                   const std::wstring& program_folder);

}  // namespace vantrel::host
