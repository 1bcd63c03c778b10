// How the scene gets the keyboard when a saver run starts while another
// program is active. Windows lets a process bring a window forward only when
// it holds the right to: the foreground process, or one it allowed. Wine
// lets every process; this is the one path for both.
//
// - The host starts the renderer suspended and, before it runs, passes it
//   the host's right (Pass_Foreground_Right). Once the renderer has taken
//   the foreground the host holds the right no longer, so it never brings
//   the renderer forward itself.
// - The renderer, which holds the right, takes the foreground as its window
//   shows and keeps itself in front for its first seconds (ForegroundKeeper):
//   a program that was active at the start may take the keyboard back then.
#pragma once

#include <windows.h>

namespace vantrel {

// How long the renderer brings its window forward whenever it is behind.
inline constexpr ULONGLONG kKeepForegroundMs = 5000;

// Host: lets the started, still suspended process take the foreground.
void Pass_Foreground_Right(DWORD process_id);

// Renderer: its window in front, from Take on for kKeepForegroundMs.
class ForegroundKeeper {
 public:
  // Brings `window` forward now.
  void Take(HWND window);
  // Brings it forward again when it is behind, until the time is up; cheap
  // enough for every turn of the frame loop.
  void Keep();

 private:
  HWND window_ = nullptr;  // null once the time is up
  ULONGLONG taken_ms_ = 0;
};

}  // namespace vantrel
