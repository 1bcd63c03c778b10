#include "settings_dialog/zoom_win32.h"

#include "toolkit/app_win32.h"
#include "toolkit/ignore_result.h"

namespace vantrel::host {
namespace {

void AnimateBetween(HWND window, const RECT& from, const RECT& to) {
  toolkit::Ignore_Result(DrawAnimatedRects(window, IDANI_CAPTION, &from, &to));
}

RECT ZoomPoint(const HostWide& host) {
  return RECT{host.Zoom_X, host.Zoom_Y, host.Zoom_X, host.Zoom_Y};
}

}  // namespace

void Zoom_Open(HWND window, const HostWide& host) {
  AnimateBetween(window, ZoomPoint(host), toolkit::Window_Screen_Rect(window));
}

void Zoom_Close(HWND window, const HostWide& host) {
  AnimateBetween(window, toolkit::Window_Screen_Rect(window), ZoomPoint(host));
}

}  // namespace vantrel::host
