#include "button/button_face.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace vantrel::button {
namespace {

// Nearest integer, halves to the even neighbour, kept in 16 bits.
int32_t EdgeLength(int32_t length) {
  const double rounded = std::nearbyint(static_cast<double>(length));
  if (rounded < -32768.0 || rounded > 32767.0) return 0;  // outside the geometry's range
  return static_cast<int16_t>(rounded);
}

uint16_t PairChannel(const char* six_digits, int pair) {
  char text[5] = {six_digits[pair * 2], six_digits[pair * 2 + 1], '0', '0', '\0'};
  return static_cast<uint16_t>(std::strtoul(text, nullptr, 16));
}

}  // namespace

FaceGeometry Face_Geometry(int32_t width, int32_t height, int32_t label_height) {
  const int32_t c = kCornerSize;
  const int32_t edge_x = EdgeLength(width - 2 * c);
  const int32_t edge_y = EdgeLength(height - 2 * c);
  const int32_t right = c + edge_x;
  const int32_t bottom = c + edge_y;
  const int32_t src_right = kSkinWidth - c;    // 900
  const int32_t src_bottom = kSkinHeight - c;  // 315
  FaceGeometry g{};
  g.pieces = {{
      {1, 1, c, c, 0, 0, c, c},
      {c, 1, edge_x, c, c, 1, kSkinEdgeX, c},
      {right, 1, c, c, src_right, 1, c, c},
      {right, c, c, edge_y, src_right, c, c, kSkinEdgeY},
      {right, bottom, c, c, src_right, src_bottom, c, c},
      {c, bottom, edge_x, c, c, src_bottom, kSkinEdgeX, c},
      {1, bottom, c, c, 0, src_bottom, c, c},
      {1, c, c, edge_y, 1, c, c, kSkinEdgeY},
  }};
  g.label_top = (height - label_height - 20) / 2.0;
  g.label_left = 0;
  g.label_width = width;
  return g;
}

Channels Colour_Channels(const std::wstring& colour_text) {
  std::wstring digits = colour_text;
  if (digits.size() >= 2 && digits[0] == L'&' && (digits[1] == L'H' || digits[1] == L'h')) {
    digits = digits.substr(2);
  }
  wchar_t* end = nullptr;
  const unsigned long value = std::wcstoul(digits.c_str(), &end, 16);
  if (digits.empty() || *end != L'\0' || value > 0xFFFFFFul) return Channels{0, 0, 0};
  char six[8];
  std::snprintf(six, sizeof six, "%06lX", value);
  return Channels{PairChannel(six, 0), PairChannel(six, 1), PairChannel(six, 2)};
}

std::array<GradientVertex, 2> Gradient_Vertices(bool invert, double width_px, double height_px) {
  const Channels white = Colour_Channels(kFaceWhite);
  const Channels tint = Colour_Channels(kFaceTint);
  const Channels& top = invert ? tint : white;
  const Channels& bottom = invert ? white : tint;
  std::array<GradientVertex, 2> v{};
  v[0] = {0, 0, top.red, top.green, top.blue, 0};
  v[1] = {static_cast<int32_t>(std::nearbyint(width_px - 1)),
          static_cast<int32_t>(std::nearbyint(height_px - 1)),
          bottom.red,
          bottom.green,
          bottom.blue,
          0};
  return v;
}

bool Invert_For_State(ButtonState state, bool previous) {
  switch (state) {
    case ButtonState::kNormal:
    case ButtonState::kSelected:
      return false;
    case ButtonState::kHighLight:
      return true;
    default:
      return previous;
  }
}

}  // namespace vantrel::button
