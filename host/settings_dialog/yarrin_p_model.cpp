#include "settings_dialog/yarrin_p_model.h"

#include <cmath>

#include "number_text.h"
#include "path_rules.h"
#include "toolkit/ignore_result.h"

namespace vantrel::host {

KindControls Kind_Controls(int16_t kind) {
  KindControls shown{kind == 1, kind == 2, {false, false, false}};
  if (kind >= 0 && kind <= 2) shown.mark_selected[kind] = true;
  return shown;
}

std::wstring Hash_Hash(long value) { return value == 0 ? std::wstring() : std::to_wstring(value); }

std::vector<std::wstring> Repeat_List() {
  std::vector<std::wstring> entries;
  for (int n = 0; n < kRepeatEntries; ++n) entries.push_back(Hash_Hash(n));
  return entries;
}

int16_t Track_From_Text(const std::wstring& text) {
  const std::optional<double> number = Read_Whole_Number(text);
  if (!number || std::isnan(*number)) return 0;
  if (*number <= -32768.5) return -32768;
  if (*number >= 32767.5) return 32767;
  return Round_To_Int16(*number).value_or(0);
}

void Write_Settings(HostWide& host, const std::wstring& repeat_text, ProfilePort& profile,
                    FilePort& files, const std::wstring& program_folder) {
  host.BGM_RepeatTrack = Track_From_Text(repeat_text);
  // Every key is tried, also after one has failed.
  const auto write_keys = [&](const std::wstring& file) {
    bool written = Ini_Write(profile, kSettingsSection, kKeyKind, Number_Text(host.BGM_Kind), file);
    written &= Ini_Write(profile, kSettingsSection, kKeyRepeat,
                         Number_Text(host.BGM_RepeatTrack), file);
    written &= Ini_Write(profile, kSettingsSection, kKeyFile, host.BGM_File, file);
    return written;
  };
  if (write_keys(Program_Path(program_folder, kSettingsFileSuffix))) {
    const std::wstring stale = User_Settings_File(files, false);
    if (!stale.empty()) files.RemoveFile(stale);
    return;
  }
  // A standard user may not write into the program folder.
  const std::wstring user_file = User_Settings_File(files, true);
  if (!user_file.empty()) toolkit::Ignore_Result(write_keys(user_file));  // nothing is shown
}

void Take_Chosen_File(HostWide& host, const std::wstring& path) {
  host.BGM_File = path;
  host.BGM_Dir = Folder_Of(path);
}

std::vector<int> Gradient_Levels(double height) {
  std::vector<int> levels;
  if (!(height > 0)) return levels;
  const double k = height / 3.142;
  const long last = std::lround(std::nearbyint(height));
  for (long y = 0; y <= last; ++y) {
    levels.push_back(static_cast<int>(std::nearbyint(std::fabs(std::sin(y / k)) * 220)));
  }
  return levels;
}

Placement Dialog_Placement(double screen_width, double screen_height, double window_width,
                           double window_height) {
  // Round the free space first, then divide with the fraction dropped.
  const long free_x = std::lround(std::nearbyint(screen_width - window_width));
  const long free_y = std::lround(std::nearbyint(screen_height - window_height));
  return Placement{free_x / 2, free_y / 3};
}

}  // namespace vantrel::host
