// The settings file Vantrel.ini beside the host: one section with the three
// music keys, read once at start-up into the host-wide values. A user who
// may not write beside the host keeps the same file in their roaming
// application-data folder instead; a start reads the newer of the two.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "settings/host_wide.h"
#include "settings/path_rules.h"

namespace vantrel::host {

inline constexpr const wchar_t* kSettingsSection = L"Section";

// A key by its name and by the code page 932 bytes that a Japanese system
// writes for it, which are the file's keys on every system.
struct SettingsKey {
  const wchar_t* name;
  const char* code_page_932;
};
inline constexpr SettingsKey kKeyKind{L"BGM区分", "BGM\x8B\xE6\x95\xAA"};
inline constexpr SettingsKey kKeyRepeat{L"BGMﾘﾋﾟｰﾄ", "BGM\xD8\xCB\xDF\xB0\xC4"};
inline constexpr SettingsKey kKeyFile{L"BGMﾌｧｲﾙ", "BGM\xCC\xA7\xB2\xD9"};
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
  // The text that the file's code page turns into exactly `bytes`; nothing
  // when it cannot give those bytes back.
  virtual std::optional<std::wstring> TextOfBytes(const std::string& bytes) = 0;
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

// The key as the profile calls take it: the text that puts its code page 932
// bytes into the file; where the code page cannot carry those bytes (UTF-8),
// the key's name, which reads back there.
std::wstring Profile_Key(const SettingsKey& key, ProfilePort& profile);

// Set: the three keys, every time, whatever the kind. They go to
// "\Vantrel.ini" in the program folder; when a write there fails, all three
// go to the per-user settings file instead. When they all succeed, a per-user
// file left from earlier is removed, and where it cannot be removed and still
// reads as the newer (a clock set ahead where it was written) it takes the
// keys too. True when the file that the next start reads holds them.
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

// The settings file a start reads: the newer of the per-user one and the
// one in `program_folder`; that one where they are equally new or there is
// no per-user one.
std::wstring Settings_File(FilePort& files, const std::wstring& program_folder);

// Fills BGM_Kind, BGM_RepeatTrack, BGM_File and BGM_Dir from Settings_File.
// A number that does not read leaves its value alone. The kind and the sound
// file are kept as stored, so that the dialog shows them and a Set keeps a
// file on a drive that is absent for now; the chooser opens in the file's
// folder when the file opens, else in the program folder.
void Load_Settings(HostWide& host, ProfilePort& profile, FilePort& files,
                   const std::wstring& program_folder);

// A saver run plays only a sound file that opens: an empty path or one that
// does not open is dropped, and with it the sound-file kind.
void Drop_Absent_Sound_File(HostWide& host, FilePort& files);

}  // namespace vantrel::host
