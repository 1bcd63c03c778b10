// Reading of the screensaver argument string: the string itself, the mode
// letter and the preview's parent window handle.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel::host {

// The argument string of a command line: what follows the program's name
// (quoted or not) and the blanks after it.
std::wstring Argument_String(const std::wstring& command_line);

// The 2nd character of the upper-cased argument string, or the empty text
// when the string is shorter than 2 characters. The 1st is never examined.
std::wstring Mode_Letter(const std::wstring& arguments);

// The preview's parent handle: the argument string from its 4th character
// on, read as a leading decimal number and rounded to a 32-bit integer
// ("/p 1234" and "/p:1234" both give 1234; nothing readable or a number
// beyond 32 bits gives 0).
int32_t Preview_Parent_Handle(const std::wstring& arguments);

}  // namespace vantrel::host
