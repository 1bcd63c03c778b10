// Face geometry and gradient of the button control: the eight frame
// pieces cut from a 64 x 25 skin, the caption's place, and the two gradient
// vertices. Portable; the Win32 shell paints what these give.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vantrel::button {

enum class Skin { kNormal, kHighLight, kSelected, kHighLightSelect, kPressed, kDisable };

// The control's visual states with the system's numbers; kNone until
// Initialize or the first focus.
enum class ButtonState : uint8_t {
  kNone = 0,
  kNormal = 1,
  kHighLight = 2,
  kSelected = 3,
  kHighLightSelect = 4,
};

// Geometry constants in twips.
inline constexpr int16_t kCornerSize = 60;
inline constexpr int16_t kSkinWidth = 960;
inline constexpr int16_t kSkinHeight = 375;
inline constexpr int16_t kSkinEdgeX = 840;  // 960 - 2 * 60
inline constexpr int16_t kSkinEdgeY = 255;  // 375 - 2 * 60

// Gradient colours as colour texts, digit pairs read red, green, blue.
inline constexpr const wchar_t* kFaceWhite = L"&HFFFFFF";
inline constexpr const wchar_t* kFaceTint = L"&HC6C5D7";

struct FacePiece {
  int32_t dest_x, dest_y, dest_w, dest_h;  // twips on the control
  int32_t src_x, src_y, src_w, src_h;      // twips within the skin
};

struct FaceGeometry {
  // top-left, top edge, top-right, right edge, bottom-right, bottom edge,
  // bottom-left, left edge: the order in which they are painted.
  std::array<FacePiece, 8> pieces;
  double label_top;  // caption label: 10 twips above the exact middle
  int32_t label_left;
  int32_t label_width;
};

// For a control of width x height twips and a caption label label_height high.
FaceGeometry Face_Geometry(int32_t width, int32_t height, int32_t label_height);

struct Channels {
  uint16_t red, green, blue;  // 8-bit channel in the high byte
};

// The channels of a colour text such as "&HC6C5D7": red 0xC600, green
// 0xC500, blue 0xD700. An unreadable text gives black.
Channels Colour_Channels(const std::wstring& colour_text);

struct GradientVertex {
  int32_t x, y;
  uint16_t red, green, blue, alpha;
};

// The two vertices of the vertical face gradient over an inner area of
// width x height pixels: FaceWhite on top unless `invert`.
std::array<GradientVertex, 2> Gradient_Vertices(bool invert, double width_px, double height_px);

// Whether the gradient is inverted for the state about to be drawn: Normal and Selected white
// on top, HighLight tint on top, any other state keeps what the previous
// drawing left.
bool Invert_For_State(ButtonState state, bool previous);

}  // namespace vantrel::button
