#include "button/button_logic.h"

#include <cwchar>
#include <variant>

namespace vantrel::button {
namespace {

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

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

void ButtonLogic::Initialize() {
  State = ButtonState::kNormal;
  surface_.StartHoverTimer(kHoverInterval);
}

void ButtonLogic::SetEnabled(bool enabled) {
  IsEnabled = enabled ? kTrue : kFalse;
  ShowEnabledState();
}

// ---- persistence

void ButtonLogic::Restore(const toolkit::PropertyStore& store, const toolkit::FontDesign& ambient) {
  IsEnabled = ValueOr(store.Read(kKeyEnabled, true), true) ? kTrue : kFalse;
  caption_.text = ValueOr<std::wstring>(store.Read(kKeyCaption, std::wstring(kRestoredCaption)),
                                        kRestoredCaption);
  const std::wstring ambient_text = Font_Text(ambient);
  caption_.font =
      Font_From_Text(ValueOr(store.Read(kKeyFont, ambient_text), ambient_text), ambient);
  FirstRun = static_cast<uint8_t>(ValueOr<int32_t>(store.Read(kKeyFirstRun, int32_t{1}), 1));
  caption_.colour =
      static_cast<uint32_t>(ValueOr<int32_t>(store.Read(kKeyFontColour, int32_t{0}), 0));
  RefreshNormalFace();
}

// ---- face operations

void ButtonLogic::DrawFace(Skin skin) {
  InvertGradient = Invert_For_State(State, InvertGradient);
  const FaceGeometry geometry =
      Face_Geometry(surface_.WidthTwips(), surface_.HeightTwips(), caption_.height);
  caption_.top = geometry.label_top;
  caption_.left = geometry.label_left;
  caption_.width = geometry.label_width;
  surface_.PaintFace(skin, InvertGradient, caption_);
}

void ButtonLogic::ShowEnabledState() {
  // The caption label is drawn live over the face, so its enabled look is
  // set before the face goes out.
  caption_.enabled = IsEnabled != kFalse;
  DrawFace(IsEnabled ? Skin::kNormal : Skin::kDisable);
}

void ButtonLogic::RefreshNormalFace() {
  if (!IsEnabled) return;
  caption_.enabled = true;
  if (FirstRun == 0) caption_.colour = 0;
  DrawFace(Skin::kNormal);
}

// ---- pointer, focus and hover

void ButtonLogic::PointerMoved() {
  if (!IsEnabled) return;
  if (State == ButtonState::kNormal) {
    State = ButtonState::kHighLight;
    DrawFace(Skin::kHighLight);
  }
  if (State == ButtonState::kSelected && !ButtonHeld) {
    State = ButtonState::kHighLightSelect;
    DrawFace(Skin::kHighLightSelect);
  }
}

void ButtonLogic::ButtonPressed(int button) {
  if (!IsEnabled) return;
  presses_ |= button;
  if (button != kLeftButton) return;
  ButtonHeld = kTrue;
  DrawFace(Skin::kPressed);
}

void ButtonLogic::ButtonReleased(int button) {
  const bool began_here = (presses_ & button) != 0;
  presses_ &= ~button;
  if (!IsEnabled) return;
  if (button == kLeftButton) {
    ButtonHeld = kFalse;
    if (State == ButtonState::kHighLight) DrawFace(Skin::kNormal);
    if (State == ButtonState::kHighLightSelect) DrawFace(Skin::kHighLightSelect);
  }
  if (began_here && State != ButtonState::kSelected && IsEnabled == kTrue) surface_.RaiseClick();
}

void ButtonLogic::FocusGained() {
  if (!IsEnabled) return;
  if (State != ButtonState::kHighLight) {
    State = ButtonState::kSelected;
    DrawFace(Skin::kSelected);
  }
  if (State == ButtonState::kHighLight) {
    State = ButtonState::kHighLightSelect;
    DrawFace(Skin::kPressed);
  }
}

void ButtonLogic::FocusLost() {
  space_held_ = false;  // a press whose control lost the focus does not click
  if (!IsEnabled) return;
  if (State != ButtonState::kNormal) {
    State = ButtonState::kNormal;
    DrawFace(Skin::kNormal);
  }
}

void ButtonLogic::TimerTick(CursorOver where) {
  if (!IsEnabled) return;
  if (where == CursorOver::kParentWindow) {
    EndHover();
    return;
  }
  if (where != CursorOver::kOwnWindow) EndHover();
}

void ButtonLogic::EndHover() {
  if (!IsEnabled) return;
  if (State == ButtonState::kHighLight) {
    State = ButtonState::kNormal;
    DrawFace(Skin::kNormal);
  }
  if (State == ButtonState::kHighLightSelect) {
    State = ButtonState::kSelected;
    DrawFace(Skin::kSelected);
  }
}

void ButtonLogic::SpacePressed() {
  if (!IsEnabled || space_held_) return;
  space_held_ = true;
  DrawFace(Skin::kPressed);
}

void ButtonLogic::SpaceReleased() {
  if (!space_held_) return;
  space_held_ = false;
  if (!IsEnabled) return;
  switch (State) {
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

void ButtonLogic::EnterPressed() {
  if (IsEnabled) surface_.RaiseClick();
}

}  // namespace vantrel::button
