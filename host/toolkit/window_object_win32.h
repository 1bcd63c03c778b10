// A window tied to the C++ object that handles its messages, for every
// window class of the host: the object is attached as its window is created
// and let go once the window has gone, so no message reaches an object
// without its window, nor a window an object that has gone.
#pragma once

#include <windows.h>

#include "accessible_win32.h"

namespace vantrel::toolkit {

class WindowObject {
 public:
  WindowObject(const WindowObject&) = delete;
  WindowObject& operator=(const WindowObject&) = delete;

  HWND Handle() const { return window_; }

 protected:
  WindowObject() = default;
  // A subclass destroys its window in its own destructor, while its
  // handlers still exist; one left over here no longer reaches the object.
  virtual ~WindowObject();

  // Registers `class_name` (once) with the procedure that hands every
  // message to the window's object.
  static void Register_Class(const wchar_t* class_name);
  // Creates a window of a registered class, tied to this object; `id` is the
  // child window's identifier, by which the dialog manager names it.
  bool CreateTied(DWORD ex_style, const wchar_t* class_name, const wchar_t* text, DWORD style,
                  const RECT& pixels, HWND parent, int id = 0);

  // Every message of the window, from WM_NCCREATE to WM_NCDESTROY.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) = 0;

  // The answer to WM_GETOBJECT: the client area's object as `source`
  // describes it; the window's other objects are the system's.
  LRESULT AnswerGetObject(AccessSource& source, WPARAM wparam, LPARAM lparam);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_ = nullptr;
  AccessibleClient accessible_;  // let go with the window
};

}  // namespace vantrel::toolkit
