// A font as a form or a control designs it: face name, size in points,
// weight, character set and underline.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel::toolkit {

inline constexpr int32_t kShiftJisCharset = 128;

struct FontDesign {
  std::wstring name = L"ＭＳ Ｐゴシック";
  double points = 9.75;
  int32_t weight = 400;
  int32_t charset = kShiftJisCharset;
  bool underline = false;
  bool operator==(const FontDesign& o) const {
    return name == o.name && points == o.points && weight == o.weight && charset == o.charset &&
           underline == o.underline;
  }
};

}  // namespace vantrel::toolkit
