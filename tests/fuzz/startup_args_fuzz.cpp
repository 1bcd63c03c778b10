// libFuzzer target: the command line Windows starts the host with. The
// argument string is a tail of it, the mode letter its upper-cased 2nd
// character, and a handle written after the mode in decimal reads back
// exactly, whatever follows a blank after it.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwctype>

#include "fuzz_text.h"
#include "startup/startup_args.h"

using namespace vantrel::host;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto texts = vantrel::fuzz::Wide_Texts(data, size, 2);
  const std::wstring& command_line = texts[0];
  const std::wstring arguments = Argument_String(command_line);
  if (arguments.size() > command_line.size() ||
      !std::equal(arguments.rbegin(), arguments.rend(), command_line.rbegin())) {
    std::abort();
  }
  const std::wstring mode =
      arguments.size() < 2 ? L""
                           : std::wstring(1, static_cast<wchar_t>(std::towupper(arguments[1])));
  if (Mode_Letter(arguments) != mode) std::abort();
  (void)Preview_Parent_Handle(arguments);

  int32_t handle = 0;  // the first four bytes
  std::memcpy(&handle, data, size < 4 ? size : 4);
  const std::wstring written = std::to_wstring(handle);
  if (Preview_Parent_Handle(L"/p " + written) != handle ||
      Preview_Parent_Handle(L"/P:" + written + L" " + texts[1]) != handle) {
    std::abort();
  }
  return 0;
}
