#include "saver/backdrop_win32.h"

#include "toolkit/ignore_result.h"

namespace vantrel::host {
namespace {

using toolkit::Ignore_Result;

constexpr const wchar_t* kBackdropClass = L"Vantrel_Backdrop";
constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

RECT VirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
              top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void CoverVirtualScreen(HWND window) {
  const RECT screen = VirtualScreen();
  Ignore_Result(SetWindowPos(window, nullptr, screen.left, screen.top, screen.right - screen.left,
                             screen.bottom - screen.top, SWP_NOZORDER | SWP_NOACTIVATE));
}

LRESULT CALLBACK BackdropProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MOUSEACTIVATE:  // a click leaves the keyboard where it is
      return MA_NOACTIVATE;
    case WM_SETCURSOR:  // the run hides the pointer over the whole screen
      SetCursor(nullptr);
      return TRUE;
    case WM_DISPLAYCHANGE:  // a monitor added, removed or resized
      CoverVirtualScreen(window);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

void RegisterBackdropClass(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  if (GetClassInfoExW(instance, kBackdropClass, &window_class)) return;
  window_class.lpfnWndProc = BackdropProc;
  window_class.hInstance = instance;
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  window_class.lpszClassName = kBackdropClass;
  Ignore_Result(RegisterClassExW(&window_class));
}

// Whether this system makes a window topmost when it is placed right after a
// topmost one, as Windows does (Wine does not). Asked of the backdrop while
// it is still hidden, with a hidden topmost window of its own class; the
// backdrop leaves the question as it came, not topmost.
bool PlacingAfterTopmostMakesTopmost(HWND backdrop, HINSTANCE instance) {
  HWND topmost =
      CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kBackdropClass, L"",
                      WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
  if (!topmost) return true;
  Ignore_Result(SetWindowPos(backdrop, topmost, 0, 0, 0, 0, kKeepPlace));
  const bool made_topmost = (GetWindowLongW(backdrop, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  Ignore_Result(DestroyWindow(topmost));
  if (made_topmost) Ignore_Result(SetWindowPos(backdrop, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace));
  return made_topmost;
}

}  // namespace

Backdrop::~Backdrop() {
  if (window_) DestroyWindow(window_);
}

void Backdrop::Show() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterBackdropClass(instance);
  const RECT screen = VirtualScreen();
  // A tool window has no taskbar button; WS_EX_NOACTIVATE keeps it from
  // ever taking the foreground.
  window_ = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kBackdropClass, kBackdropTitle,
                            WS_POPUP, screen.left, screen.top, screen.right - screen.left,
                            screen.bottom - screen.top, nullptr, nullptr, instance, nullptr);
  if (!window_) return;  // the run goes on without one
  // Where the backdrop could only join the topmost band later by passing in
  // front of the renderer's window, it joins it now, before that window
  // exists. Under Wine the renderer's window, made later, still shows above
  // it, and a backdrop raised over the scene could stay there all run long.
  if (!PlacingAfterTopmostMakesTopmost(window_, instance)) {
    Ignore_Result(SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace));
  }
  Ignore_Result(ShowWindow(window_, SW_SHOWNOACTIVATE));
  Ignore_Result(UpdateWindow(window_));
}

void Backdrop::LiftBehind(HWND front) {
  Ignore_Result(SetWindowPos(front, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace));
  // Placed right after `front`, above every other topmost window, the
  // backdrop is topmost without ever passing in front of it.
  if (window_) Ignore_Result(SetWindowPos(window_, front, 0, 0, 0, 0, kKeepPlace));
}

}  // namespace vantrel::host
