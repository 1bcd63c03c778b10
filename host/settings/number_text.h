// Conversions between texts and numbers as the host reads and writes them:
// the lenient leading-number reader of the argument string, the strict
// whole-text number of the settings file, and the settings file's number
// text with its blank in front of values of 0 and more.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vantrel::host {

// Reads the number at the start of `text`: leading blanks are skipped, the
// reading stops at the first character that cannot continue a decimal number
// (sign, digits, one point, an exponent), and no digits give 0.
double Read_Leading_Number(const std::wstring& text);

// The whole text as a decimal number, blanks around it allowed; nullopt when
// anything else is in it or it is empty.
std::optional<double> Read_Whole_Number(const std::wstring& text);

// Rounds to the nearest integer, halves to the even neighbour; nullopt when
// the result does not fit the type.
std::optional<int16_t> Round_To_Int16(double value);
std::optional<int32_t> Round_To_Int32(double value);

// Rounds down (2.7 -> 2, -2.5 -> -3); nullopt outside the 16-bit range.
std::optional<int16_t> Floor_To_Int16(double value);

// Decimal text with a blank before values of 0 and more and a minus sign
// before negative ones: " 2", " 0", "-3".
std::wstring Number_Text(long value);

}  // namespace vantrel::host
