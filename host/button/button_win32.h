// The button control as its own window class, "Yarrin.Command":
// a child window that keeps its painted face as an image and hands its
// mouse, keyboard and focus messages to ButtonLogic. It behaves as the
// system's BUTTON does: EnableWindow disables it (WM_ENABLE), it follows the
// pointer with TrackMouseEvent, and a click reaches its parent as WM_COMMAND
// with BN_CLICKED and its id. To the dialog manager it is a push button:
// Space is its own, it is the default button while it has the focus and is
// enabled, and BM_CLICK clicks it. To a screen reader too it is a push
// button, told when it is pressed or disabled.
#pragma once

#include <windows.h>

#include <memory>

#include "button/button_logic.h"
#include "toolkit/gdi_win32.h"
#include "toolkit/mouse_win32.h"
#include "toolkit/picture_win32.h"
#include "toolkit/property_store.h"
#include "toolkit/window_object_win32.h"

namespace vantrel::button {

class ButtonControl final : public toolkit::WindowObject,
                            public ButtonSurface,
                            public toolkit::AccessSource {
 public:
  ButtonControl();
  ~ButtonControl() override;

  // Creates the window in `parent` at a rectangle in pixels and restores
  // the designed properties from `design`; `ambient` is the container's font.
  // `id` names it in its commands (IDOK, IDCANCEL for the dialog manager).
  bool Create(HWND parent, const RECT& pixels, const toolkit::PropertyStore& design,
              const toolkit::FontDesign& ambient, int id);
  ButtonLogic& Logic() { return logic_; }

  // The name screen readers give it; empty: its caption.
  std::wstring access_name;

  // ButtonSurface
  void PaintFace(Skin skin, bool invert_gradient, const FaceGeometry& geometry) override;
  int32_t WidthTwips() override;
  int32_t HeightTwips() override;
  void RaiseClick() override;

  // AccessSource
  toolkit::AccessItem AccessSelf() override;
  bool DoAccessAction(int index) override;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  bool OnWindowMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
  bool OnInputMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
  void OnCreate(const CREATESTRUCTW& create);
  void OnPaint();
  void OnSize(int width, int height);
  void PaintPieces(HDC dc, Skin skin, const FaceGeometry& geometry);
  void OnMouse(const toolkit::MouseEvent& mouse);
  void OnPointerMoved(POINT at);
  void OnButtonDown(int button);
  void OnButtonUp(int button);
  void OnCaptureChanged();
  // Space; true when the key was the control's.
  bool OnKeyDown(WPARAM key, LPARAM flags);
  bool OnKeyUp(WPARAM key);
  HFONT CaptionFont();
  bool IsDefault() const;
  void TellStates();

  // What the window restores as it is created.
  const toolkit::PropertyStore* design_ = nullptr;
  const toolkit::FontDesign* ambient_ = nullptr;
  ButtonLogic logic_;
  toolkit::Picture face_;
  std::unique_ptr<toolkit::Font> font_;  // the caption's, remade when its design changes
  int held_buttons_ = 0;
  bool tracking_leave_ = false;  // TrackMouseEvent will tell when the pointer leaves
  bool told_pressed_ = false, told_unavailable_ = false;  // as screen readers last heard
};

}  // namespace vantrel::button
