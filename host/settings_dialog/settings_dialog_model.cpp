#include "settings_dialog/settings_dialog_model.h"

#include <cmath>
#include <utility>

#include "settings/number_text.h"
#include "settings/path_rules.h"
#include "toolkit/ignore_result.h"

namespace vantrel::host {

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

void Take_Chosen_File(HostWide& host, const std::wstring& path, const std::wstring& stored) {
  host.BGM_File = stored;
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

SettingsDialog::SettingsDialog(DialogView& view, HostWide& host, ProfilePort& profile,
                               FilePort& files, std::wstring program_folder)
    : view_(view),
      host_(host),
      profile_(profile),
      files_(files),
      program_folder_(std::move(program_folder)) {}

void SettingsDialog::Form_Load() {
  view_.Place();
  Prepare_Buttons();
  view_.SetRepeatEnabled(false);
  view_.ShowKind(host_.BGM_Kind);
  if (host_.BGM_Kind == MusicKind::kCd) view_.SetRepeatEnabled(true);
  view_.SetButtonEnabled(DialogControl::kFileButton, host_.BGM_Kind == MusicKind::kFile);
  // The text goes in before the list is filled.
  view_.SetRepeatText(Hash_Hash(host_.BGM_RepeatTrack));
  for (const std::wstring& entry : Repeat_List()) view_.AddRepeatEntry(entry);
  view_.SetFileCaption(host_.BGM_File);
  const std::optional<ScreenPoint> cursor = view_.CursorPosition();
  host_.Zoom_X = cursor ? static_cast<int16_t>(cursor->x) : 0;
  host_.Zoom_Y = cursor ? static_cast<int16_t>(cursor->y) : 0;
  view_.ZoomOpen();
  view_.SetPointer(DialogPointer::kDefault);
}

void SettingsDialog::Kind_Chosen(MusicKind kind) {
  host_.BGM_Kind = kind;
  view_.SetButtonEnabled(DialogControl::kFileButton, false);
  view_.SetRepeatEnabled(false);
  if (kind == MusicKind::kCd) view_.SetRepeatEnabled(true);
  if (kind == MusicKind::kFile) view_.SetButtonEnabled(DialogControl::kFileButton, true);
}

void SettingsDialog::FileButton_Click() {
  const std::optional<std::wstring> path = view_.ChooseSoundFile(host_.BGM_Dir);
  if (!path) return;
  // A name the settings file cannot hold would come back broken at the next
  // start and play nothing: the earlier choice stays, and the user is told.
  const std::optional<std::wstring> stored = Storable_Path(*path, profile_, files_);
  view_.ShowNotice(stored ? L"" : kFileNotStoredText);
  if (!stored) return;
  Take_Chosen_File(host_, *path, *stored);
  view_.SetFileCaption(*path);
}

void SettingsDialog::SetButton_Click() {
  host_.BGM_RepeatTrack = Track_From_Text(view_.RepeatText());
  // Closing would tell the user that the choice was kept.
  if (!Write_Settings(host_, profile_, files_, program_folder_)) {
    view_.ShowNotice(kNotSavedText);
    return;
  }
  view_.Close();
}

void SettingsDialog::Left_Pressed() {
  link_pressed_ = view_.PointerOverLink();
  // Otherwise a release off the dialog would not come here and leave the link armed.
  if (link_pressed_) view_.HoldPointer(true);
}

void SettingsDialog::Left_Released() {
  if (!link_pressed_) return;
  link_pressed_ = false;
  view_.HoldPointer(false);
  if (view_.PointerOverLink()) OpenLink();
}

void SettingsDialog::Activated() {
  view_.Focus(last_focus_ == DialogControl::kNone ? DialogControl::kKinds : last_focus_);
}

void SettingsDialog::Prepare_Buttons() {
  for (DialogControl button :
       {DialogControl::kSet, DialogControl::kCancel, DialogControl::kFileButton}) {
    view_.InitializeButton(button);
  }
}

void SettingsDialog::OpenLink() {
  view_.SetPointer(DialogPointer::kHourglass);
  view_.OpenAddress(kLinkAddress);
  view_.SetPointer(DialogPointer::kDefault);
}

}  // namespace vantrel::host
