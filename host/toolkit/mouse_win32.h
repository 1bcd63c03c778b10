// Mouse messages translated once, for every window procedure of the host:
// a press, a release or a move, with its button and its place. The host's
// window classes do not ask for double-clicks, so a quick second press
// arrives as a press like any other.
#pragma once

#include <windows.h>

namespace vantrel::toolkit {

enum class MouseButton { kLeft, kRight, kMiddle };
enum class MouseAction { kNone, kPress, kRelease, kMove };

struct MouseEvent {
  MouseAction action = MouseAction::kNone;
  MouseButton button = MouseButton::kLeft;  // of a press or a release
  POINT at{};                               // client pixels
};

// The mouse event a message carries; kNone for any other message.
inline MouseEvent Mouse_Event(UINT message, LPARAM lparam) {
  MouseEvent event;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      event.action = MouseAction::kPress;
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      event.action = MouseAction::kRelease;
      break;
    case WM_MOUSEMOVE:
      event.action = MouseAction::kMove;
      break;
    default:
      return event;
  }
  if (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP) event.button = MouseButton::kRight;
  if (message == WM_MBUTTONDOWN || message == WM_MBUTTONUP) event.button = MouseButton::kMiddle;
  // Signed: a captured pointer left or above the window gives negative places.
  event.at = POINT{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
  return event;
}

}  // namespace vantrel::toolkit
