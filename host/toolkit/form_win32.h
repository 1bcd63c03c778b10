// Forms of the host's window toolkit: a top-level or child window with a
// twips scale, load / resize / query-unload / unload events, a kept image
// that survives being covered, windowless elements drawn above that image,
// and timers. Designed controls are members of the form subclass, created
// with the form and loaded with its window.
//
// The keyboard of a modal form is Windows' dialog manager (IsDialogMessageW):
// - Tab and Shift+Tab walk the windows with WS_TABSTOP in z-order, into
//   child forms with WS_EX_CONTROLPARENT; WS_GROUP keeps the arrows inside
//   a control that does not ask for them.
// - A control claims the keys it handles itself through WM_GETDLGCODE.
// - Escape and Enter become commands that name a button (IDCANCEL, IDOK, or
//   the focused button that answers DLGC_DEFPUSHBUTTON), as a click on that
//   button does: WM_COMMAND with BN_CLICKED. A child form hands the commands
//   of its controls up to its parent, where the dialog handles them all.
// - The focus cues are hidden from the opening until the first key, unless
//   the user's setting shows them always. The form keeps that state itself
//   from WM_CHANGEUISTATE and WM_UPDATEUISTATE, which Wine's windows do not.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "access.h"
#include "accessible_win32.h"
#include "gdi_win32.h"
#include "mouse_win32.h"
#include "picture_win32.h"
#include "window_object_win32.h"

namespace vantrel::toolkit {

class Form;

// SetTimer on the owner's window, ticking while enabled.
class Timer {
 public:
  Timer(Form& owner, UINT interval_ms, bool enabled, std::function<void()> on_tick);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void SetEnabled(bool enabled);

 private:
  friend class Form;
  void Apply();
  void Tick();

  Form& owner_;
  UINT_PTR id_;
  UINT interval_ms_;
  bool enabled_;
  std::function<void()> on_tick_;
};

// A windowless element drawn by its form above the kept image; positions
// and sizes are in the form's scale units.
class Element {
 public:
  explicit Element(Form& owner);
  virtual ~Element() = default;
  Element(const Element&) = delete;
  Element& operator=(const Element&) = delete;

  void Move(int left, int top, int width, int height);
  RECT PixelRect() const;
  // Runs on a mouse-down inside the element with the button pressed.
  std::function<void(MouseButton button)> on_mouse_down;
  // Runs when a screen reader does the element's default action.
  std::function<void()> on_activate;

  virtual void Draw(HDC dc, const RECT& pixels) const = 0;
  // What a screen reader is told of it; kNone keeps it from readers.
  virtual AccessRole Access() const { return AccessRole::kNone; }
  virtual std::wstring AccessName() const { return std::wstring(); }

 protected:
  Form& owner_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

// An image element: a picture at its designed size (15 twips per picture
// pixel, so it grows with the screen's resolution as the text does), or
// stretched to the element.
class Image : public Element {
 public:
  explicit Image(Form& owner, bool stretch = false) : Element(owner), stretch_(stretch) {}
  void SetPicture(const Picture* picture);
  void Draw(HDC dc, const RECT& pixels) const override;

 private:
  const Picture* picture_ = nullptr;
  bool stretch_;
};

enum class ScaleMode { kTwips, kPixels };

struct FormDesign {
  std::wstring caption;
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD ex_style = 0;
  int left = 0, top = 0, width = 4800, height = 3600;  // twips
  COLORREF back_colour = RGB(240, 240, 240);
  ScaleMode scale = ScaleMode::kTwips;
  int icon = 0;  // the resource of the window's icon; 0: none
  // Shows the parent's kept image behind its own elements, as if it had no
  // background of its own.
  bool see_through = false;
  int id = 0;  // a child window's identifier, by which its commands name it
};

// To a screen reader, the elements that say what they are (Element::Access)
// are simple children of their form's object, after its child windows.
class Form : public WindowObject, public AccessSource {
 public:
  explicit Form(FormDesign design);
  // A child form (such as a picture box), loaded with its parent's window.
  Form(Form& parent, FormDesign design);
  ~Form() override;

  // Creates the window without showing it, loads the child forms and the
  // timers, then runs the load event. `parent_window` is for top-level
  // forms placed inside a foreign window.
  bool Load(HWND parent_window = nullptr);
  void Show();
  // Shows the form and returns once it has been unloaded.
  void ShowModal();
  // Query-unload (which may refuse), unload, then the window goes. True
  // when the form is gone.
  bool Unload();

  bool Loaded() const { return Handle() != nullptr; }

  // Outer position and size in twips; the position is relative to the
  // parent's client area for child windows.
  void Move(int left, int top, int width, int height);
  int ToPixelsX(int units) const;
  int ToPixelsY(int units) const;

  // The kept image: what has been drawn on the form, without its elements.
  const Picture& Image() const { return image_; }
  HDC BeginDrawing();  // a DC on the kept image, until EndDrawing
  void EndDrawing();
  void ClearImage();
  // Repaints the window from the kept image and the elements.
  void Refresh();

  // Whether the dotted focus rectangle is drawn in this form now.
  bool FocusCuesShown() const { return !focus_cues_hidden_; }

 protected:
  virtual void Form_Load() {}
  virtual void Form_Resize() {}
  // Return true to refuse the unload; asked alike whatever unloads the form.
  virtual bool Form_QueryUnload() { return false; }
  virtual void Form_Unload() {}
  // Messages a subclass handles itself; true when `result` is to be returned.
  virtual bool Form_Message(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
  // A mouse button pressed or released on the form's own window; a press
  // reaches the form before the element under the pointer.
  virtual void Form_MouseDown(MouseButton) {}
  virtual void Form_MouseUp(MouseButton) {}
  // The index of the window in `windows` that holds the focus or contains
  // the window that does; -1 when none does.
  int Focused_Among(const std::vector<HWND>& windows) const;

  // AccessSource
  int AccessChildCount() override { return static_cast<int>(AccessibleElements().size()); }
  AccessItem AccessChild(int index) override;
  bool DoAccessAction(int index) override;

 private:
  friend class Timer;
  friend class Element;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool OnWindowMessage(UINT message, WPARAM wparam, LRESULT& result);
  bool OnInputMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
  void OnSize();
  void FitImageToClient();
  void OnPaint();
  void OnTimer(WPARAM id);
  void OnMouse(const MouseEvent& mouse);
  bool OnSetCursor();
  void OnChangeUiState(WPARAM wparam);
  void OnUpdateUiState(WPARAM wparam);
  void ShowFocusCues(const MSG& key);
  void SetIcons();
  void OnDestroy();
  void OnNcDestroy();
  void ResizeImage(int width, int height);
  std::vector<Element*> AccessibleElements() const;

  FormDesign design_;
  Form* parent_ = nullptr;
  Picture image_;
  std::unique_ptr<BitmapDC> drawing_;
  bool unload_ran_ = false;
  bool focus_cues_hidden_ = false;
  HICON icons_[2] = {};  // big, small: the window's, destroyed after it
  std::vector<Form*> children_;
  std::vector<Timer*> timers_;
  std::vector<Element*> elements_;
};

// EnableWindow for a control of a form: one disabled while it holds the
// focus hands the focus on to the next tab stop first, as a dialog's control
// must. A focus left on a disabled window would be nowhere, and keys then
// arrive as system keys, which the dialog manager passes by (Enter included).
void Enable_Control(HWND control, bool enabled);

// Tells a control's parent of a click on it, as the system's buttons do:
// WM_COMMAND with BN_CLICKED and the control's id.
void Report_Click(HWND control);

// A picture box: a child form whose picture is drawn into its kept image,
// so that saving its image saves the picture. With `auto_size` the box takes
// the picture's size in pixels, whatever the screen's twips per pixel.
class PictureBox : public Form {
 public:
  PictureBox(Form& parent, FormDesign design, bool auto_size = false)
      : Form(parent, std::move(design)), auto_size_(auto_size) {}
  void SetPicture(Picture picture);

 protected:
  void Form_Load() override;

 private:
  Picture picture_;
  bool auto_size_;
};

}  // namespace vantrel::toolkit
