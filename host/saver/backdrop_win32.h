// The black backdrop of a saver run: one window over the whole virtual
// screen, every monitor, behind the renderer's window. It takes no activation
// and no input, so the keyboard stays with the renderer whatever is clicked.
#pragma once

#include <windows.h>

namespace vantrel::host {

// Found by this title in tests; nothing in the programs looks for it.
inline constexpr const wchar_t* kBackdropTitle = L"Vantrel_Backdrop";

class Backdrop {
 public:
  Backdrop() = default;
  ~Backdrop();
  Backdrop(const Backdrop&) = delete;
  Backdrop& operator=(const Backdrop&) = delete;

  // Creates and shows it, topmost and painted black, without taking the
  // foreground.
  void Show();
  // Lifts `front` to the top of the topmost band, above the taskbar, and the
  // backdrop into that band just below it, so that it never covers `front`.
  void LiftBehind(HWND front);
  // Takes it off the screen for good, giving the desktop back.
  void Remove();

 private:
  HWND window_ = nullptr;
};

}  // namespace vantrel::host
