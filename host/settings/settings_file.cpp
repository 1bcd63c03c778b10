#include "settings/settings_file.h"

#include "settings/number_text.h"

namespace vantrel::host {
namespace {

constexpr size_t kValueBufferBytes = kMaxValueBytes + 1;

// Reads a whole-number key into `target`; a value that is not a number or
// lies outside 16 bits leaves `target` as it is.
void ReadNumberKey(ProfilePort& profile, const SettingsKey& key, const std::wstring& file,
                   int16_t& target) {
  const std::wstring text = Ini_Read(profile, kSettingsSection, Profile_Key(key, profile), file);
  if (text.empty()) {
    target = 0;
    return;
  }
  if (const auto number = Read_Whole_Number(text)) {
    if (const auto whole = Floor_To_Int16(*number)) target = *whole;
  }
}

}  // namespace

std::wstring Ini_Read(ProfilePort& profile, const std::wstring& section, const std::wstring& key,
                      const std::wstring& file) {
  std::wstring value = profile.GetString(section, key, L"", file, kValueBufferBytes);
  const size_t nul = value.find(L'\0');
  if (nul != std::wstring::npos) value.resize(nul);
  return value;
}

bool Ini_Write(ProfilePort& profile, const std::wstring& section, const std::wstring& key,
               const std::wstring& value, const std::wstring& file) {
  return profile.WriteString(section, key, value, file);
}

std::wstring Profile_Key(const SettingsKey& key, ProfilePort& profile) {
  return profile.TextOfBytes(key.code_page_932).value_or(key.name);
}

bool Write_Settings(const HostWide& host, ProfilePort& profile, FilePort& files,
                    const std::wstring& program_folder) {
  // Every key is tried, also after one has failed.
  const auto write_keys = [&](const std::wstring& file) {
    const auto write = [&](const SettingsKey& key, const std::wstring& value) {
      return Ini_Write(profile, kSettingsSection, Profile_Key(key, profile), value, file);
    };
    bool written = write(kKeyKind, Number_Text(static_cast<int16_t>(host.BGM_Kind)));
    written &= write(kKeyRepeat, Number_Text(host.BGM_RepeatTrack));
    written &= write(kKeyFile, host.BGM_File);
    return written;
  };
  const std::wstring beside = Program_Path(program_folder, kSettingsFileSuffix);
  if (write_keys(beside)) {
    // A per-user file that cannot go (a read-only folder, a sync client
    // holding it) is harmless while it is the older. Whether it went is asked
    // of the file: Wine reports a delete that the folder refuses as done.
    const std::wstring stale = User_Settings_File(files, false);
    if (!stale.empty()) files.RemoveFile(stale);
    return Settings_File(files, program_folder) == beside || write_keys(stale);
  }
  // A standard user may not write into the program folder.
  const std::wstring user_file = User_Settings_File(files, true);
  return !user_file.empty() && write_keys(user_file) &&
         Settings_File(files, program_folder) == user_file;
}

std::optional<std::wstring> Storable_Path(const std::wstring& path, ProfilePort& profile,
                                          FilePort& files) {
  const auto reads_back = [&profile](const std::wstring& text) {
    const std::optional<size_t> bytes = profile.StoredBytes(text);
    return bytes && *bytes <= kMaxValueBytes;
  };
  if (reads_back(path)) return path;
  const std::wstring short_form = files.ShortPath(path);
  if (!short_form.empty() && reads_back(short_form)) return short_form;
  return std::nullopt;
}

std::wstring User_Settings_File(FilePort& files, bool make) {
  const std::wstring folder = User_Folder(files, AppDataFolder::kRoaming, make);
  return folder.empty() ? folder : folder + kSettingsFileSuffix;
}

std::wstring Settings_File(FilePort& files, const std::wstring& program_folder) {
  const std::wstring beside = Program_Path(program_folder, kSettingsFileSuffix);
  const std::wstring user_file = User_Settings_File(files, false);
  if (user_file.empty() || !File_Exists(user_file, files)) return beside;
  const std::optional<uint64_t> user_time = files.LastWriteTime(user_file);
  const std::optional<uint64_t> beside_time = files.LastWriteTime(beside);
  if (!beside_time) return user_file;
  return user_time && *user_time > *beside_time ? user_file : beside;
}

void Load_Settings(HostWide& host, ProfilePort& profile, FilePort& files,
                   const std::wstring& program_folder) {
  const std::wstring file = Settings_File(files, program_folder);
  auto stored_kind = static_cast<int16_t>(host.BGM_Kind);
  ReadNumberKey(profile, kKeyKind, file, stored_kind);
  host.BGM_Kind = static_cast<MusicKind>(stored_kind);
  ReadNumberKey(profile, kKeyRepeat, file, host.BGM_RepeatTrack);
  host.BGM_File = Ini_Read(profile, kSettingsSection, Profile_Key(kKeyFile, profile), file);
  const bool opens = !host.BGM_File.empty() && File_Exists(host.BGM_File, files);
  host.BGM_Dir = opens ? Folder_Of(host.BGM_File) : program_folder;
}

void Drop_Absent_Sound_File(HostWide& host, FilePort& files) {
  if (!host.BGM_File.empty() && File_Exists(host.BGM_File, files)) return;
  host.BGM_File.clear();
  if (host.BGM_Kind == MusicKind::kFile) host.BGM_Kind = MusicKind::kNone;
}

}  // namespace vantrel::host
