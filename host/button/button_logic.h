// The button control without its window: instance fields, the
// properties with their first-run rule, persistence in the container's
// property store, and the pointer / focus / hover state machine that
// decides which skin is drawn and when Click fires. Portable; the Win32
// shell (button_win32.cpp) turns messages into these calls.
#pragma once

#include <cstdint>
#include <string>

#include "button/button_face.h"
#include "toolkit/access.h"
#include "toolkit/font_design.h"
#include "toolkit/property_store.h"

namespace vantrel::button {

inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

// A font as the property store keeps it.
std::wstring Font_Text(const toolkit::FontDesign& font);
// The font of a Font_Text; `fallback` when the text does not read.
toolkit::FontDesign Font_From_Text(const std::wstring& text, const toolkit::FontDesign& fallback);

// The caption as designed; DrawFace lays it out again on every face.
struct CaptionLabel {
  std::wstring text = L"Command";
  toolkit::FontDesign font;
  uint32_t colour = 0;  // 0x00BBGGRR
  bool enabled = true;
  double top = 90;
  int32_t left = 0, width = 1635, height = 195;
};

// What the control needs from its window and container.
class ButtonSurface {
 public:
  virtual ~ButtonSurface() = default;
  // Clear, gradient and the eight frame pieces of `geometry`; the caption
  // is drawn over them at the place the logic gave its label.
  virtual void PaintFace(Skin skin, bool invert_gradient, const FaceGeometry& geometry) = 0;
  virtual int32_t WidthTwips() = 0;
  virtual int32_t HeightTwips() = 0;
  virtual void RaiseClick() = 0;
};

class ButtonLogic {
 public:
  explicit ButtonLogic(ButtonSurface& surface) : surface_(surface) {}

  // Public interface, as the dialog uses it.
  void Initialize();
  void SetEnabled(bool enabled);  // repaints with the normal or the disabled face
  const toolkit::FontDesign& Font() const { return caption_.font; }

  // The designed properties from the container's store.
  void Restore(const toolkit::PropertyStore& store, const toolkit::FontDesign& ambient);

  // Face operations.
  void DrawFace(Skin skin);
  void ShowEnabledState();
  void RefreshNormalFace();
  void Resized() { ShowEnabledState(); }

  // Pointer, focus and hover handling; the caption label forwards its own.
  void PointerMoved();
  void ButtonPressed(int button);
  // Click, and a face, only for a button whose press began on the control.
  void ButtonReleased(int button);
  // The platform stopped delivering this control's mouse input mid-press
  // (its capture went elsewhere): the presses it saw begin are forgotten.
  void PressesLost() {
    presses_ = 0;
    left_held_ = false;
  }
  void FocusGained();
  void FocusLost();
  // The pointer has left the control (or moves outside it while held).
  void EndHover();

  // The keyboard on the focused control, as on a push button: Space shows
  // the pressed face while held and clicks on its release.
  void SpacePressed();
  void SpaceReleased();
  // Clicked without the pointer (Enter, Escape through the dialog manager).
  void Click();

  bool Enabled() const { return enabled_; }
  ButtonState State() const { return state_; }
  // What a screen reader is told of the control: pressed while the left
  // button or Space holds it down; `focused` when it has the keyboard focus,
  // `is_default` when Enter would click it.
  toolkit::AccessStates Access(bool focused, bool is_default) const;
  const CaptionLabel& Label() const { return caption_; }

 private:
  ButtonSurface& surface_;
  CaptionLabel caption_;
  bool enabled_ = false;
  bool first_run_ = false;  // false: the stored caption colour gives way to black
  ButtonState state_ = ButtonState::kNone;
  bool invert_gradient_ = false;  // tint on top; kept from the previous face
  bool left_held_ = false;        // the left button went down on the control
  int presses_ = 0;               // buttons pressed on the control and not yet released
  bool space_held_ = false;
};

}  // namespace vantrel::button
