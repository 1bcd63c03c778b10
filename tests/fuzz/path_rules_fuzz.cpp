// libFuzzer target: any text as a path. The folder part is where the path
// begins and leaves a plain file name after it; the program folder ends in
// "\" only at a drive root; the file test never asks for an empty path; a
// sound file's kind follows its name's last three characters in any case.
#include <cstdlib>

#include "../unit/host_fakes.h"
#include "fuzz_text.h"

using namespace vantrel::host;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto texts = vantrel::fuzz::Wide_Texts(data, size, 2);
  const std::wstring& path = texts[0];

  const std::wstring folder = Folder_Of(path);
  if (path.compare(0, folder.size(), folder) != 0) std::abort();
  std::wstring name = path.substr(folder.size());
  if (!name.empty() && name[0] == L'\\') name.erase(0, 1);
  if (name.find_first_of(L":\\") != std::wstring::npos) std::abort();

  const std::wstring program = Program_Folder(path);
  if (program != folder && !(program.size() == 3 && program == folder + L"\\" && folder[1] == L':'))
    std::abort();
  const std::wstring renderer = Renderer_Path(program);
  if (renderer.compare(0, program.size(), program) != 0 || renderer.size() <= program.size())
    std::abort();

  testing::FakeFiles files;
  files.readable.insert(path);
  const bool exists = File_Exists(path, files);
  for (const std::wstring& probed : files.probed) {
    if (probed.empty()) std::abort();
  }
  // A trailing "\" names a folder: never a file, even where that very text opens.
  if (exists && (path.empty() || path.back() == L'\\')) std::abort();

  files.app_data[vantrel::AppDataFolder::kRoaming] = texts[1];
  const std::wstring user = User_Folder(files, vantrel::AppDataFolder::kRoaming, size % 2 == 1);
  if (!user.empty() && (texts[1].empty() || user.compare(0, texts[1].size(), texts[1]) != 0))
    std::abort();

  if (Sound_File_Type(path + L".wAv") != SoundFileType::kWav ||
      Sound_File_Type(path + L".Mp3") != SoundFileType::kMp3) {
    std::abort();
  }
  return 0;
}
