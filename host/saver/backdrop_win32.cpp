// The backdrop and the renderer's window, in this order:
//
// - The backdrop is topmost from its creation, before the renderer's window
//   exists, so it covers the taskbar from the first moment of the run.
// - The renderer's window, made later and not topmost, is lifted to the top
//   of the topmost band when the run first sees it, and the backdrop is
//   placed right after it, above every other topmost window.
//
// Windows keeps a normal window below a topmost one until the window is
// itself made topmost, so there the scene shows only from the lift. Wine
// stacks X windows by creation and by real moves to the top, so there the
// scene shows above the backdrop from its creation, and the lift changes
// nothing that shows. The backdrop never passes in front of the renderer's
// window on either: a backdrop raised over the scene under Wine could stay
// there all run long.
#include "saver/backdrop_win32.h"

#include "toolkit/app_win32.h"
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

}  // namespace

Backdrop::~Backdrop() {
  if (window_) DestroyWindow(window_);
}

// An empty window region: nothing of the window shows or takes a click.
// It is not hidden: Wine, in a session without a window manager, holds the
// hiding thread up to 2 s for one to withdraw a full-screen window.
void Backdrop::Remove() {
  if (!window_) return;
  if (HRGN nothing = CreateRectRgn(0, 0, 0, 0)) {
    if (!SetWindowRgn(window_, nothing, TRUE))
      DeleteObject(nothing);  // the window owns it once set
  }
}

void Backdrop::Show() {
  toolkit::Register_Window_Class(kBackdropClass, BackdropProc,
                                 static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const RECT screen = VirtualScreen();
  // A tool window has no taskbar button; WS_EX_NOACTIVATE keeps it from
  // ever taking the foreground.
  window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kBackdropClass,
                            kBackdropTitle, WS_POPUP, screen.left, screen.top,
                            screen.right - screen.left, screen.bottom - screen.top, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window_) return;  // the run goes on without one
  Ignore_Result(ShowWindow(window_, SW_SHOWNOACTIVATE));
  Ignore_Result(UpdateWindow(window_));
}

void Backdrop::LiftBehind(HWND front) {
  Ignore_Result(SetWindowPos(front, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace));
  // Placed right after `front`, the backdrop stays above every other topmost
  // window without ever passing in front of it.
  if (window_) Ignore_Result(SetWindowPos(window_, front, 0, 0, 0, 0, kKeepPlace));
}

}  // namespace vantrel::host
