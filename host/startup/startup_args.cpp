#include "startup/startup_args.h"

#include <cwctype>

#include "settings/number_text.h"

namespace vantrel::host {

std::wstring Argument_String(const std::wstring& command_line) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  size_t i = 0;
  if (i < command_line.size() && command_line[i] == L'"') {
    const size_t close = command_line.find(L'"', 1);
    i = close == std::wstring::npos ? command_line.size() : close + 1;
  }
  while (i < command_line.size() && !blank(command_line[i])) ++i;
  while (i < command_line.size() && blank(command_line[i])) ++i;
  return command_line.substr(i);
}

std::wstring Mode_Letter(const std::wstring& arguments) {
  if (arguments.size() < 2) return std::wstring();
  return std::wstring(1, static_cast<wchar_t>(std::towupper(arguments[1])));
}

int32_t Preview_Parent_Handle(const std::wstring& arguments) {
  const std::wstring rest = arguments.size() > 3 ? arguments.substr(3) : std::wstring();
  return Round_To_Int32(Read_Leading_Number(rest)).value_or(0);
}

}  // namespace vantrel::host
