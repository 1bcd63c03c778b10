// The ceiling for the renderer's frame rate: the same window, pixel format
// and loop, but each frame only clears and swaps.
#include <windows.h>

#include <GL/gl.h>

namespace {

HDC g_device;
bool g_quit_key;

LRESULT CALLBACK WindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_PAINT:
      if (g_quit_key) {
        PostQuitMessage(0);
        return 0;
      }
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      SwapBuffers(g_device);
      ValidateRect(w, nullptr);
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_ESCAPE) g_quit_key = true;
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(w, m, wp, lp);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc = {};
  wc.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = "ClearSwap";
  RegisterClassA(&wc);
  HWND w =
      CreateWindowExA(0, "ClearSwap", "ClearSwap", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                      0, 1024, 768, nullptr, nullptr, instance, nullptr);
  g_device = GetDC(w);
  PIXELFORMATDESCRIPTOR pfd = {};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = static_cast<BYTE>(GetDeviceCaps(g_device, BITSPIXEL));
  pfd.cDepthBits = 16;
  SetPixelFormat(g_device, ChoosePixelFormat(g_device, &pfd), &pfd);
  wglMakeCurrent(g_device, wglCreateContext(g_device));
  // Grey, not black, so that the start-up timing sees its first frame.
  glClearColor(0.25f, 0.25f, 0.25f, 1.0f);
  ShowWindow(w, SW_SHOW);
  MSG msg = {};
  while (msg.message != WM_QUIT) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else {
      InvalidateRect(w, nullptr, FALSE);
    }
  }
  return 0;
}
