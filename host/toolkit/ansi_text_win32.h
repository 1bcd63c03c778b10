// Texts are Unicode inside the host and reach the platform through the wide
// calls; only the settings file keeps the system's ANSI code page (Shift-JIS
// on the Japanese systems the texts are for), and these convert for it.
#pragma once

#include <string>

namespace vantrel::toolkit {

std::string To_Ansi(const std::wstring& text);
std::wstring From_Ansi(const std::string& text);

}  // namespace vantrel::toolkit
