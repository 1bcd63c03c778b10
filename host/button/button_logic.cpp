#include "button/button_logic.h"

#include <cwchar>
#include <variant>

namespace vantrel::button {
namespace {

// Keys of the persisted property set.
constexpr const wchar_t* kKeyEnabled = L"Enabled";
constexpr const wchar_t* kKeyCaption = L"Caption";
constexpr const wchar_t* kKeyFirstRun = L"FirstRun";
constexpr const wchar_t* kKeyFont = L"Font";
constexpr const wchar_t* kKeyFontColour = L"FontColour";
constexpr const wchar_t* kRestoredCaption = L"Command1";

template <typename T>
T ValueOr(const toolkit::PropertyValue& value, T fallback) {
  const T* held = std::get_if<T>(&value);
  return held ? *held : fallback;
}

}  // namespace

std::wstring Font_Text(const toolkit::FontDesign& font) {
  wchar_t numbers[96];
  std::swprintf(numbers, 96, L"|%.4g|%d|%d|%d", font.points, static_cast<int>(font.weight),
                static_cast<int>(font.charset), font.underline ? 1 : 0);
  return font.name + numbers;
}

toolkit::FontDesign Font_From_Text(const std::wstring& text, const toolkit::FontDesign& fallback) {
  const size_t bar = text.find(L'|');
  if (bar == std::wstring::npos || bar == 0) return fallback;
  toolkit::FontDesign font;
  font.name = text.substr(0, bar);
  int weight = 0, charset = 0, underline = 0;
  if (std::swscanf(text.c_str() + bar, L"|%lf|%d|%d|%d", &font.points, &weight, &charset,
                   &underline) != 4) {
    return fallback;
  }
  font.weight = weight;
  font.charset = charset;
  font.underline = underline != 0;
  return font;
}

// ---- public interface

void ButtonLogic::Initialize() { state_ = ButtonState::kNormal; }

void ButtonLogic::SetEnabled(bool enabled) {
  enabled_ = enabled;
  ShowEnabledState();
}

// ---- persistence

void ButtonLogic::Restore(const toolkit::PropertyStore& store, const toolkit::FontDesign& ambient) {
  enabled_ = ValueOr(store.Read(kKeyEnabled, true), true);
  caption_.text = ValueOr<std::wstring>(store.Read(kKeyCaption, std::wstring(kRestoredCaption)),
                                        kRestoredCaption);
  const std::wstring ambient_text = Font_Text(ambient);
  caption_.font =
      Font_From_Text(ValueOr(store.Read(kKeyFont, ambient_text), ambient_text), ambient);
  // Kept as a byte: only its low eight bits count.
  first_run_ = static_cast<uint8_t>(ValueOr<int32_t>(store.Read(kKeyFirstRun, int32_t{1}), 1)) != 0;
  caption_.colour =
      static_cast<uint32_t>(ValueOr<int32_t>(store.Read(kKeyFontColour, int32_t{0}), 0));
  RefreshNormalFace();
}

// ---- face operations

void ButtonLogic::DrawFace(Skin skin) {
  invert_gradient_ = Invert_For_State(state_, invert_gradient_);
  const FaceGeometry geometry =
      Face_Geometry(surface_.WidthTwips(), surface_.HeightTwips(), caption_.height);
  caption_.top = geometry.label_top;
  caption_.left = geometry.label_left;
  caption_.width = geometry.label_width;
  surface_.PaintFace(skin, invert_gradient_, geometry);
}

void ButtonLogic::ShowEnabledState() {
  // The caption label is drawn live over the face, so its enabled look is
  // set before the face goes out.
  caption_.enabled = enabled_;
  DrawFace(enabled_ ? Skin::kNormal : Skin::kDisable);
}

void ButtonLogic::RefreshNormalFace() {
  if (!enabled_) return;
  caption_.enabled = true;
  if (!first_run_) caption_.colour = 0;
  DrawFace(Skin::kNormal);
}

// ---- pointer, focus and hover

void ButtonLogic::PointerMoved() {
  if (!enabled_) return;
  if (state_ == ButtonState::kNormal) {
    state_ = ButtonState::kHighLight;
    DrawFace(Skin::kHighLight);
  }
  if (state_ == ButtonState::kSelected && !left_held_) {
    state_ = ButtonState::kHighLightSelect;
    DrawFace(Skin::kHighLightSelect);
  }
}

void ButtonLogic::ButtonPressed(int button) {
  if (!enabled_) return;
  presses_ |= button;
  if (button != kLeftButton) return;
  left_held_ = true;
  DrawFace(Skin::kPressed);
}

void ButtonLogic::ButtonReleased(int button) {
  const bool began_here = (presses_ & button) != 0;
  presses_ &= ~button;
  // A press that began elsewhere leaves the face as the pointer made it.
  if (!enabled_ || !began_here) return;
  if (button == kLeftButton) {
    left_held_ = false;
    if (state_ == ButtonState::kHighLight) DrawFace(Skin::kNormal);
    if (state_ == ButtonState::kHighLightSelect) DrawFace(Skin::kHighLightSelect);
  }
  if (state_ != ButtonState::kSelected) surface_.RaiseClick();
}

void ButtonLogic::FocusGained() {
  if (!enabled_) return;
  if (state_ != ButtonState::kHighLight) {
    state_ = ButtonState::kSelected;
    DrawFace(Skin::kSelected);
  }
  if (state_ == ButtonState::kHighLight) {
    state_ = ButtonState::kHighLightSelect;
    DrawFace(Skin::kPressed);
  }
}

void ButtonLogic::FocusLost() {
  space_held_ = false;  // a press whose control lost the focus does not click
  if (!enabled_) return;
  if (state_ != ButtonState::kNormal) {
    state_ = ButtonState::kNormal;
    DrawFace(Skin::kNormal);
  }
}

void ButtonLogic::EndHover() {
  if (!enabled_) return;
  if (state_ == ButtonState::kHighLight) {
    state_ = ButtonState::kNormal;
    DrawFace(Skin::kNormal);
  }
  if (state_ == ButtonState::kHighLightSelect) {
    state_ = ButtonState::kSelected;
    DrawFace(Skin::kSelected);
  }
}

void ButtonLogic::SpacePressed() {
  if (!enabled_ || space_held_) return;
  space_held_ = true;
  DrawFace(Skin::kPressed);
}

void ButtonLogic::SpaceReleased() {
  if (!space_held_) return;
  space_held_ = false;
  if (!enabled_) return;
  switch (state_) {
    case ButtonState::kHighLight:
      DrawFace(Skin::kHighLight);
      break;
    case ButtonState::kSelected:
      DrawFace(Skin::kSelected);
      break;
    case ButtonState::kHighLightSelect:
      DrawFace(Skin::kHighLightSelect);
      break;
    default:
      DrawFace(Skin::kNormal);
      break;
  }
  surface_.RaiseClick();
}

toolkit::AccessStates ButtonLogic::Access(bool focused, bool is_default) const {
  toolkit::AccessStates states;
  states.focusable = enabled_;
  states.focused = focused;
  states.pressed = enabled_ && ((presses_ & kLeftButton) != 0 || space_held_);
  states.unavailable = !enabled_;
  states.is_default = is_default;
  return states;
}

void ButtonLogic::Click() {
  if (enabled_) surface_.RaiseClick();
}

}  // namespace vantrel::button
