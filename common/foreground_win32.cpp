#include "foreground_win32.h"

namespace vantrel {

// Results are not asked: a refused step leaves the keyboard where it was,
// and the run goes on.
void Pass_Foreground_Right(DWORD process_id) { (void)AllowSetForegroundWindow(process_id); }

void ForegroundKeeper::Take(HWND window) {
  window_ = window;
  taken_ms_ = GetTickCount64();
  (void)SetForegroundWindow(window);
}

void ForegroundKeeper::Keep() {
  if (!window_) return;
  if (GetTickCount64() - taken_ms_ >= kKeepForegroundMs) {
    window_ = nullptr;
  } else if (GetForegroundWindow() != window_) {
    (void)SetForegroundWindow(window_);
  }
}

}  // namespace vantrel
