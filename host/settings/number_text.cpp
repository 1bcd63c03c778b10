#include "settings/number_text.h"

#include <cmath>
#include <cwchar>
#include <limits>

namespace vantrel::host {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Length of the longest decimal number at text[start..]: optional sign,
// digits with at most one point, then an optional exponent that counts only
// when at least one digit follows it. `digits` tells whether any mantissa
// digit was seen.
size_t ScanNumber(const std::wstring& text, size_t start, bool& digits) {
  size_t i = start;
  digits = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) ++i;
  bool point = false;
  while (i < text.size()) {
    if (IsDigit(text[i])) {
      digits = true;
    } else if (text[i] == L'.' && !point) {
      point = true;
    } else {
      break;
    }
    ++i;
  }
  if (!digits) return 0;
  if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return i - start;
}

double ToDouble(const std::wstring& text, size_t start, size_t length) {
  const std::wstring part = text.substr(start, length);
  return std::wcstod(part.c_str(), nullptr);
}

template <typename T>
std::optional<T> FitOrNothing(double value) {
  if (!std::isfinite(value) || value < static_cast<double>(std::numeric_limits<T>::min()) ||
      value > static_cast<double>(std::numeric_limits<T>::max())) {
    return std::nullopt;
  }
  return static_cast<T>(value);
}

}  // namespace

double Read_Leading_Number(const std::wstring& text) {
  size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  bool digits = false;
  const size_t length = ScanNumber(text, start, digits);
  return digits ? ToDouble(text, start, length) : 0.0;
}

std::optional<double> Read_Whole_Number(const std::wstring& text) {
  size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  bool digits = false;
  const size_t length = ScanNumber(text, start, digits);
  if (!digits) return std::nullopt;
  for (size_t i = start + length; i < text.size(); ++i) {
    if (!IsBlank(text[i])) return std::nullopt;
  }
  const double value = ToDouble(text, start, length);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int16_t> Round_To_Int16(double value) {
  return FitOrNothing<int16_t>(std::nearbyint(value));
}

std::optional<int32_t> Round_To_Int32(double value) {
  return FitOrNothing<int32_t>(std::nearbyint(value));
}

std::optional<int16_t> Floor_To_Int16(double value) {
  return FitOrNothing<int16_t>(std::floor(value));
}

std::wstring Number_Text(long value) { return (value >= 0 ? L" " : L"") + std::to_wstring(value); }

}  // namespace vantrel::host
