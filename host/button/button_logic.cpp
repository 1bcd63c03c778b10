#include "button/button_logic.h"

#include <cwchar>
#include <variant>

namespace vantrel::controls {
namespace {

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// Keys of the persisted property set.
constexpr const wchar_t* kKeyEnabled = L"Enabled";
constexpr const wchar_t* kKeyCaption = L"Caption";
constexpr const wchar_t* kKeyFirstRun = L"FirstRun";
constexpr const wchar_t* kKeyFont = L"Font";
constexpr const wchar_t* kKeyFontColour = L"FontColour";
constexpr const wchar_t* kKeyVisible = L"Visible";
constexpr const wchar_t* kRestoredCaption = L"Command1";
constexpr const wchar_t* kStoredCaption = L"Command";

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

void CommandLogic::Initialize() {
  State = ButtonState::kNormal;
  surface_.StartHoverTimer(kHoverInterval);
}

uint8_t CommandLogic::Visible() {
  if (!opaque) return 0;
  RefreshNormalFace();
  return 255;
}

void CommandLogic::SetVisible(uint8_t value) {
  opaque = value != 0;
  if (opaque) RefreshNormalFace();
  surface_.PropertyChanged(kKeyVisible);
}

uint32_t CommandLogic::FontColour() {
  const uint32_t colour = caption_.colour;
  RefreshNormalFace();
  return colour;
}

void CommandLogic::SetFontColour(uint32_t colour) {
  caption_.colour = colour;
  RefreshNormalFace();
  surface_.PropertyChanged(kKeyFontColour);
}

int16_t CommandLogic::Enabled() {
  if (FirstRun == 0) {
    RefreshNormalFace();
    FirstRun = 1;
    IsEnabled = kTrue;
  }
  const int16_t result = IsEnabled;
  ShowEnabledState();
  return result;
}

void CommandLogic::SetEnabled(bool enabled) {
  IsEnabled = enabled ? kTrue : kFalse;
  surface_.PropertyChanged(kKeyEnabled);
  ShowEnabledState();
}

void CommandLogic::SetCaption(const std::wstring& text) {
  caption_.text = text;
  surface_.PropertyChanged(kKeyCaption);
}

void CommandLogic::SetFont(const toolkit::FontDesign& font) {
  caption_.font = font;
  surface_.PropertyChanged(kKeyFont);
}

// ---- persistence

void CommandLogic::Restore(const toolkit::PropertyStore& store,
                           const toolkit::FontDesign& ambient) {
  IsEnabled = ValueOr(store.Read(kKeyEnabled, true), true) ? kTrue : kFalse;
  caption_.text = ValueOr<std::wstring>(store.Read(kKeyCaption, std::wstring(kRestoredCaption)),
                                        kRestoredCaption);
  const std::wstring ambient_text = Font_Text(ambient);
  caption_.font = Font_From_Text(ValueOr(store.Read(kKeyFont, ambient_text), ambient_text), ambient);
  FirstRun = static_cast<uint8_t>(ValueOr<int32_t>(store.Read(kKeyFirstRun, int32_t{1}), 1));
  caption_.colour = static_cast<uint32_t>(ValueOr<int32_t>(store.Read(kKeyFontColour, int32_t{0}), 0));
  opaque = ValueOr<int32_t>(store.Read(kKeyVisible, int32_t{1}), 1) != 0;
  RefreshNormalFace();
}

void CommandLogic::Store(toolkit::PropertyStore& store, const toolkit::FontDesign& ambient) {
  store.Write(kKeyEnabled, IsEnabled != kFalse, true);
  store.Write(kKeyCaption, caption_.text, std::wstring(kStoredCaption));
  store.Write(kKeyFirstRun, int32_t{FirstRun}, int32_t{1});
  store.Write(kKeyFont, Font_Text(caption_.font), Font_Text(ambient));
  store.Write(kKeyFontColour, static_cast<int32_t>(caption_.colour), int32_t{0});
  store.Write(kKeyVisible, int32_t{opaque ? 1 : 0}, int32_t{1});
  RefreshNormalFace();
}

// ---- face operations

void CommandLogic::DrawFace(Skin skin) {
  InvertGradient = Invert_For_State(State, InvertGradient);
  const FaceGeometry geometry =
      Face_Geometry(surface_.WidthTwips(), surface_.HeightTwips(), caption_.height);
  caption_.top = geometry.label_top;
  caption_.left = geometry.label_left;
  caption_.width = geometry.label_width;
  surface_.PaintFace(skin, InvertGradient, caption_);
}

void CommandLogic::ShowEnabledState() {
  // The caption label is drawn live over the face, so its enabled look is
  // set before the face goes out.
  caption_.enabled = IsEnabled != kFalse;
  DrawFace(IsEnabled ? Skin::kNormal : Skin::kDisable);
}

void CommandLogic::RefreshNormalFace() {
  if (!IsEnabled) return;
  caption_.enabled = true;
  if (FirstRun == 0) caption_.colour = 0;
  DrawFace(Skin::kNormal);
}

// ---- pointer, focus and hover

void CommandLogic::PointerMoved() {
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

void CommandLogic::ButtonPressed(int button) {
  if (!IsEnabled) return;
  presses_ |= button;
  if (button != kLeftButton) return;
  ButtonHeld = kTrue;
  DrawFace(Skin::kPressed);
}

void CommandLogic::ButtonReleased(int button) {
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

void CommandLogic::FocusGained() {
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

void CommandLogic::FocusLost() {
  if (!IsEnabled) return;
  if (State != ButtonState::kNormal) {
    State = ButtonState::kNormal;
    DrawFace(Skin::kNormal);
  }
}

void CommandLogic::TimerTick(CursorOver where) {
  if (!IsEnabled) return;
  if (where == CursorOver::kParentWindow) {
    EndHover();
    return;
  }
  if (where != CursorOver::kOwnWindow) EndHover();
}

void CommandLogic::EndHover() {
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

}  // namespace vantrel::controls
