// libFuzzer target: the command line Windows starts the host with. The
// argument string is a tail of it, the mode letter its upper-cased 2nd
// character, and a handle written after the mode in decimal reads back
// exactly, whatever follows a blank after it.
#include <cstdlib>
#include <cwctype>

#include "fuzz_text.h"
#include "startup/startup_args.h"

using namespace vantrel::host;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto texts = vantrel::fuzz::Wide_Texts(data, size, 2);
  const std::wstring& command_line = texts[0];

  const std::wstring arguments = Argument_String(command_line);
  if (arguments.size() > command_line.size() ||
      command_line.compare(command_line.size() - arguments.size(), arguments.size(), arguments) !=
          0) {
    std::abort();
  }
  if (!arguments.empty() && (arguments[0] == L' ' || arguments[0] == L'\t')) std::abort();

  const std::wstring mode = Mode_Letter(arguments);
  if (arguments.size() < 2
          ? !mode.empty()
          : mode != std::wstring(1, static_cast<wchar_t>(std::towupper(arguments[1])))) {
    std::abort();
  }
  (void)Preview_Parent_Handle(arguments);
  (void)Preview_Parent_Handle(command_line);

  // The first four bytes as a handle, the second text after it.
  if (size >= 4) {
    const int32_t handle = static_cast<int32_t>(
        static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
        static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24);
    const std::wstring written = std::to_wstring(handle);
    if (Preview_Parent_Handle(L"/p " + written) != handle) std::abort();
    if (Preview_Parent_Handle(L"/P:" + written + L" " + texts[1]) != handle) std::abort();
  }
  return 0;
}
