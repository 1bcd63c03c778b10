// Fuzz input as the host's texts: every two bytes one UTF-16 code unit, the
// form in which Windows hands wide texts over; a 0 unit ends one text (and
// is dropped once all `count` have begun).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::fuzz {

inline std::vector<std::wstring> Wide_Texts(const uint8_t* data, size_t size, size_t count) {
  std::vector<std::wstring> texts(1);
  for (size_t i = 0; i + 1 < size; i += 2) {
    const wchar_t unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    if (unit != 0)
      texts.back() += unit;
    else if (texts.size() < count)
      texts.emplace_back();
  }
  texts.resize(count);
  return texts;
}

}  // namespace vantrel::fuzz
