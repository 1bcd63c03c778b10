// Texts are Unicode inside the host and cross the platform's A calls in the
// system code page (Shift-JIS on the Japanese systems the texts are for).
#pragma once

#include <string>

namespace vantrel::toolkit {

std::string To_Ansi(const std::wstring& text);
std::wstring From_Ansi(const std::string& text);
// The text of a NUL-terminated buffer of `size` bytes.
std::wstring From_Ansi_Buffer(const char* buffer, size_t size);

}  // namespace vantrel::toolkit
