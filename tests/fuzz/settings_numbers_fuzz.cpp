// libFuzzer target: the settings file's values as any text. Three texts
// (music kind, repeat track, sound file) are the file's keys for the start-up
// read. A number taken must lie within one below what its text says and read
// back the same from the text the dialog writes; an unreadable sound file
// never leaves the sound-file kind behind.
#include <cmath>
#include <cstdlib>

#include "../unit/host_fakes.h"
#include "fuzz_text.h"
#include "settings/number_text.h"

namespace {

using namespace vantrel::host;

void Check_Number(const std::wstring& text, int16_t before, int16_t after) {
  const auto number = Read_Whole_Number(text.substr(0, 255));
  if (text.empty()) {
    if (after != 0) std::abort();
    return;
  }
  if (!number) {
    if (after != before) std::abort();
    return;
  }
  if (!std::isfinite(*number)) std::abort();
  if (after == before && !Floor_To_Int16(*number)) return;
  if (!(after <= *number && *number < after + 1.0)) std::abort();
  if (Read_Whole_Number(Number_Text(after)) != static_cast<double>(after)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto texts = vantrel::fuzz::Wide_Texts(data, size, 3);
  const std::wstring folder = L"C:\\Saver";
  vantrel::host::testing::FakeProfile profile;
  vantrel::host::testing::FakeFiles files;
  auto& keys = profile.files[folder + kSettingsFileSuffix][kSettingsSection];
  keys[kKeyKind] = texts[0];
  keys[kKeyRepeat] = texts[1];
  keys[kKeyFile] = texts[2];
  // Odd sizes: the sound file opens.
  if (size % 2) files.readable.insert(texts[2].substr(0, 255));

  HostWide host;
  host.BGM_Kind = 7;
  host.BGM_RepeatTrack = -7;
  Load_Settings(host, profile, files, folder);

  // A sound-file kind without its file was read as 2 and then dropped.
  const bool dropped = host.BGM_File.empty() && host.BGM_Kind == kMusicNone &&
                       Read_Whole_Number(texts[0].substr(0, 255)).value_or(0) >= kMusicFile &&
                       Read_Whole_Number(texts[0].substr(0, 255)).value_or(0) < kMusicFile + 1;
  Check_Number(texts[0], 7, dropped ? kMusicFile : host.BGM_Kind);
  Check_Number(texts[1], -7, host.BGM_RepeatTrack);
  if (host.BGM_File.empty() && host.BGM_Kind == kMusicFile) std::abort();
  if (!host.BGM_File.empty() && !files.readable.count(host.BGM_File)) std::abort();
  if (host.BGM_Dir != (host.BGM_File.empty() ? folder : Folder_Of(host.BGM_File))) std::abort();
  return 0;
}
