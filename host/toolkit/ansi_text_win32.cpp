#include "ansi_text_win32.h"

#include <windows.h>

namespace vantrel::toolkit {

std::string To_Ansi(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int wide = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(bytes > 0 ? bytes : 0, '\0');
  if (bytes > 0)
    WideCharToMultiByte(CP_ACP, 0, text.data(), wide, out.data(), bytes, nullptr, nullptr);
  return out;
}

std::wstring From_Ansi(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int bytes = static_cast<int>(text.size());
  const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, nullptr, 0);
  std::wstring out(wide > 0 ? wide : 0, L'\0');
  if (wide > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, out.data(), wide);
  return out;
}

}  // namespace vantrel::toolkit
