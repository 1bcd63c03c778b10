// The renderer program: its window, OpenGL context, frame clock and loop.
#include <windows.h>

#include <cstdarg>
#include <cstdio>

#include "gl_api.h"
#include "scene.h"

namespace vantrel {
namespace {

constexpr char kWindowClass[] = "Yarrin_VC";
constexpr char kWindowTitle[] = "Yarrin_VC";
constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;
constexpr UINT kClassStyle = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
constexpr DWORD kWindowStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

// Everything the renderer keeps lives for the whole process, on its one thread.
struct Renderer {
  HWND window = nullptr;
  HDC device = nullptr;
  HGLRC context = nullptr;
  int ViewWidth = 0;
  int ViewHeight = 0;
  LONGLONG frequency = 0;
  LONGLONG start_count = 0;
  bool tick_clock = false;  // no performance counter: milliseconds instead
  float TotalSeconds = 0;
  float DeltaSeconds = 0;
  bool KeyState[256] = {};
  bool SceneRunning = false;
  PIXELFORMATDESCRIPTOR pixel_format = {};
  bool pixel_format_built = false;
  Scene scene;
};

Renderer g_renderer;

void DebugPrintf(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);  // cut to 1023 characters + NUL
  va_end(args);
  OutputDebugStringA(text);
}

void SetupPixelFormat(HDC device) {
  PIXELFORMATDESCRIPTOR& pfd = g_renderer.pixel_format;
  if (!g_renderer.pixel_format_built) {
    pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = static_cast<BYTE>(GetDeviceCaps(device, BITSPIXEL));
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    g_renderer.pixel_format_built = true;
  }
  const int index = ChoosePixelFormat(device, &pfd);
  DebugPrintf("PixelFormat Selected: %d\nBPP: %d\n", index, GetDeviceCaps(device, BITSPIXEL));
  SetPixelFormat(device, index, &pfd);  // failures show only as a blank window
}

void StartClock() {
  LARGE_INTEGER frequency, count;
  if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) {
    QueryPerformanceCounter(&count);
    g_renderer.frequency = frequency.QuadPart;
    g_renderer.start_count = count.QuadPart;
  } else {
    g_renderer.tick_clock = true;
    g_renderer.frequency = 1000;
    g_renderer.start_count = static_cast<LONGLONG>(GetTickCount64());
  }
}

void SampleClock() {
  LONGLONG now;
  if (g_renderer.tick_clock) {
    now = static_cast<LONGLONG>(GetTickCount64());
  } else {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    now = count.QuadPart;
  }
  const double seconds =
      static_cast<double>(now - g_renderer.start_count) / static_cast<double>(g_renderer.frequency);
  g_renderer.DeltaSeconds = static_cast<float>(seconds - g_renderer.TotalSeconds);
  g_renderer.TotalSeconds = static_cast<float>(seconds);
}

void ReleaseContext() {
  wglMakeCurrent(g_renderer.device, nullptr);
  wglDeleteContext(g_renderer.context);
}

void OnCreate(HWND window) {
  g_renderer.device = GetDC(window);  // kept for the window's life (CS_OWNDC)
  SetupPixelFormat(g_renderer.device);
  g_renderer.context = wglCreateContext(g_renderer.device);
  wglMakeCurrent(g_renderer.device, g_renderer.context);
}

void OnSize(LPARAM lparam) {
  g_renderer.ViewWidth = LOWORD(lparam);
  g_renderer.ViewHeight = HIWORD(lparam);
  ResizeViewport(g_renderer.ViewWidth, g_renderer.ViewHeight);
}

// Each paint hides the cursor once and only a drawn frame shows it again, so
// the start-up paint leaves it hidden for the rest of the run.
void OnPaint(HWND window) {
  ShowCursor(FALSE);
  if (!g_renderer.SceneRunning) return;
  SampleClock();
  if (g_renderer.KeyState[VK_ESCAPE]) {
    g_renderer.SceneRunning = false;
    ReleaseContext();
    PostQuitMessage(0);
    return;
  }
  DrawScene(g_renderer.scene, g_renderer.TotalSeconds, g_renderer.DeltaSeconds);
  SwapBuffers(g_renderer.device);
  ValidateRect(window, nullptr);
  ShowCursor(TRUE);
}

void OnKey(WPARAM key, bool down) {
  if (key < 256) g_renderer.KeyState[key] = down;
}

LRESULT CALLBACK RendererWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_SIZE:
      OnSize(lparam);
      return 0;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_DESTROY:
      ReleaseContext();
      PostQuitMessage(0);
      return 0;
    case WM_KEYDOWN:
      OnKey(wparam, true);
      return 0;
    case WM_KEYUP:
      OnKey(wparam, false);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

// Draws one frame whenever the queue is empty; the WM_QUIT message itself
// is dispatched too before the loop ends.
int RunMessageLoop(HWND window) {
  MSG message = {};
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  while (message.message != WM_QUIT) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } else {
      InvalidateRect(window, nullptr, FALSE);
    }
  }
  return static_cast<int>(message.wParam);
}

int RunRenderer(HINSTANCE instance) {
  g_renderer.SceneRunning = false;

  WNDCLASSA window_class = {};
  window_class.style = kClassStyle;
  window_class.lpfnWndProc = RendererWindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.lpszClassName = kWindowClass;
  if (!RegisterClassA(&window_class)) return 0;

  HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, kWindowStyle, CW_USEDEFAULT,
                                CW_USEDEFAULT, kWindowWidth, kWindowHeight, nullptr, nullptr,
                                instance, nullptr);
  if (!window) return 0;
  g_renderer.window = window;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);

  // Sampled before the scene is built, so loading counts into the first frame.
  StartClock();
  if (!InitScene(g_renderer.scene, g_renderer.ViewWidth, g_renderer.ViewHeight)) return 0;
  g_renderer.SceneRunning = true;
  const int exit_code = RunMessageLoop(window);
  g_renderer.SceneRunning = false;
  return exit_code;
}

}  // namespace
}  // namespace vantrel

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return vantrel::RunRenderer(instance);
}
