// libFuzzer target: the settings file's values as any text, read at start-up
// as the music kind, the repeat track and the sound file. A track taken lies
// within one below what its text says and reads back the same from the text
// the dialog writes; one that does not read or fit leaves the old value.
#include <cstdlib>

#include "../unit/host_fakes.h"
#include "fuzz_text.h"
#include "settings/number_text.h"

using namespace vantrel::host;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto texts = vantrel::fuzz::Wide_Texts(data, size, 3);
  const std::wstring folder = L"C:\\Saver";
  testing::FakeProfile profile;
  testing::FakeFiles files;
  profile.files[folder + kSettingsFileSuffix][kSettingsSection] = {
      {kKeyKind.name, texts[0]}, {kKeyRepeat.name, texts[1]}, {kKeyFile.name, texts[2]}};
  if (size % 2) files.readable.insert(texts[2].substr(0, 255));
  HostWide host;
  host.BGM_RepeatTrack = -7;
  Load_Settings(host, profile, files, folder);

  const int16_t track = host.BGM_RepeatTrack;
  const auto number = Read_Whole_Number(texts[1].substr(0, 255));
  const bool taken = number && Floor_To_Int16(*number);
  if (texts[1].empty() ? track != 0
      : taken          ? !(track <= *number && *number < track + 1.0)
                       : track != -7) {
    std::abort();
  }
  if (Read_Whole_Number(Number_Text(track)) != static_cast<double>(track)) std::abort();
  // A saver run keeps the sound-file kind only with a file that opens.
  Drop_Absent_Sound_File(host, files);
  if (host.BGM_Kind == MusicKind::kFile && !files.readable.count(host.BGM_File)) std::abort();
  return 0;
}
