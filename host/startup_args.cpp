#include "startup_args.h"

#include <cwctype>

#include "number_text.h"

namespace vantrel::host {

std::wstring Mode_Letter(const std::wstring& arguments) {
  if (arguments.size() < 2) return std::wstring();
  return std::wstring(1, static_cast<wchar_t>(std::towupper(arguments[1])));
}

int32_t Preview_Parent_Handle(const std::wstring& arguments) {
  const std::wstring rest = arguments.size() > 3 ? arguments.substr(3) : std::wstring();
  return Round_To_Int32(Read_Leading_Number(rest)).value_or(0);
}

}  // namespace vantrel::host
