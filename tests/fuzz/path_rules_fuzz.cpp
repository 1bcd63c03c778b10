// libFuzzer target: any text as a path. Its folder part is where it begins
// and leaves a plain file name after it; the program folder ends in "\" only
// at a drive root; a path ending in "\" is never a file.
#include <cstdlib>

#include "../unit/host_fakes.h"
#include "fuzz_text.h"

using namespace vantrel::host;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring path = vantrel::fuzz::Wide_Texts(data, size, 1)[0];
  const std::wstring folder = Folder_Of(path);
  if (path.compare(0, folder.size(), folder) != 0) std::abort();
  std::wstring name = path.substr(folder.size());
  if (!name.empty() && name[0] == L'\\') name.erase(0, 1);
  if (name.find_first_of(L":\\") != std::wstring::npos) std::abort();

  const std::wstring program = Program_Folder(path);
  if (program != folder && !(program.size() == 3 && program == folder + L"\\" && folder[1] == L':'))
    std::abort();

  testing::FakeFiles files;
  files.readable.insert(path);
  const bool exists = File_Exists(path, files);
  if (exists && (path.empty() || path.back() == L'\\')) std::abort();
  return 0;
}
