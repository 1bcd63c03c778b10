// The renderer program: its window, OpenGL context, frame clock and loop.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <memory>

#include "foreground_win32.h"
#include "gl_api.h"
#include "scene.h"
#include "shared_names.h"
#include "system_dlls_win32.h"

namespace vantrel {
namespace {

// The host follows the renderer by this title; the class carries the same name.
constexpr const char* kWindowClass = kRendererWindowTitle;
constexpr const char* kWindowTitle = kRendererWindowTitle;
constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;
constexpr UINT kClassStyle = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
constexpr DWORD kWindowStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

// Seconds since the clock started, from the performance counter, or from
// milliseconds where there is none.
struct FrameClock {
  LONGLONG frequency = 0;
  LONGLONG start_count = 0;
  bool uses_ticks = false;
  float total_seconds = 0;
  float delta_seconds = 0;
};

// Everything the renderer keeps, on its one thread; the window procedure
// reaches it through the window's user data.
struct Renderer {
  HWND window = nullptr;
  HDC device = nullptr;  // the window's own DC (CS_OWNDC), kept for its life
  HGLRC context = nullptr;
  int view_width = 0;
  int view_height = 0;
  FrameClock clock;
  bool keys_down[256] = {};
  bool running = false;  // the scene is built and frames are drawn
  ForegroundKeeper foreground;
  Scene scene;  // owns the textures and the quadric of `context`
};

void DebugPrintf(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);  // cut to 1023 characters + NUL
  va_end(args);
  OutputDebugStringA(text);
}

void SetupPixelFormat(HDC device) {
  PIXELFORMATDESCRIPTOR pfd = {};
  pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = static_cast<BYTE>(GetDeviceCaps(device, BITSPIXEL));
  pfd.cDepthBits = 16;
  pfd.iLayerType = PFD_MAIN_PLANE;
  const int index = ChoosePixelFormat(device, &pfd);
  DebugPrintf("PixelFormat Selected: %d\nBPP: %d\n", index, GetDeviceCaps(device, BITSPIXEL));
  SetPixelFormat(device, index, &pfd);  // failures show only as a blank window
}

void StartClock(FrameClock& clock) {
  LARGE_INTEGER frequency, count;
  if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) {
    QueryPerformanceCounter(&count);
    clock.frequency = frequency.QuadPart;
    clock.start_count = count.QuadPart;
  } else {
    clock.uses_ticks = true;
    clock.frequency = 1000;
    clock.start_count = static_cast<LONGLONG>(GetTickCount64());
  }
}

void SampleClock(FrameClock& clock) {
  LONGLONG now;
  if (clock.uses_ticks) {
    now = static_cast<LONGLONG>(GetTickCount64());
  } else {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    now = count.QuadPart;
  }
  const double seconds =
      static_cast<double>(now - clock.start_count) / static_cast<double>(clock.frequency);
  clock.delta_seconds = static_cast<float>(seconds - clock.total_seconds);
  clock.total_seconds = static_cast<float>(seconds);
}

// Creates the window's context and makes it current for the whole run.
void StartContext(Renderer& renderer, HWND window) {
  renderer.device = GetDC(window);
  SetupPixelFormat(renderer.device);
  renderer.context = wglCreateContext(renderer.device);
  wglMakeCurrent(renderer.device, renderer.context);
}

// Deletes the scene's OpenGL objects while their context is still current,
// then the context, and ends the message loop.
void ShutDown(Renderer& renderer) {
  renderer.running = false;
  if (renderer.context) {
    Free_Scene(renderer.scene);
    wglMakeCurrent(renderer.device, nullptr);
    wglDeleteContext(renderer.context);
    renderer.context = nullptr;
  }
  PostQuitMessage(0);
}

// Each paint hides the cursor once and only a drawn frame shows it again, so
// the start-up paint leaves it hidden for the rest of the run.
void DrawFrame(Renderer& renderer) {
  ShowCursor(FALSE);
  if (!renderer.running) return;
  SampleClock(renderer.clock);
  if (renderer.keys_down[VK_ESCAPE]) {
    ShutDown(renderer);
    return;
  }
  Draw_Scene(renderer.scene, renderer.clock.total_seconds, renderer.clock.delta_seconds);
  SwapBuffers(renderer.device);
  ValidateRect(renderer.window, nullptr);
  ShowCursor(TRUE);
}

void OnSize(Renderer& renderer, LPARAM lparam) {
  renderer.view_width = LOWORD(lparam);
  renderer.view_height = HIWORD(lparam);
  Resize_Viewport(renderer.view_width, renderer.view_height);
}

void OnKey(Renderer& renderer, WPARAM key, bool down) {
  if (key < 256) renderer.keys_down[key] = down;
}

LRESULT CALLBACK RendererWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* renderer = reinterpret_cast<Renderer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!renderer) return DefWindowProcA(window, message, wparam, lparam);
  switch (message) {
    case WM_CREATE:
      StartContext(*renderer, window);
      return 0;
    case WM_SIZE:
      OnSize(*renderer, lparam);
      return 0;
    case WM_PAINT:
      DrawFrame(*renderer);
      return 0;
    case WM_DESTROY:
      ShutDown(*renderer);
      return 0;
    case WM_KEYDOWN:
      OnKey(*renderer, wparam, true);
      return 0;
    case WM_KEYUP:
      OnKey(*renderer, wparam, false);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

// Opens the window (its creation makes the context current), starts the
// clock and builds the scene. False when there is no window.
bool StartRenderer(Renderer& renderer, HINSTANCE instance) {
  WNDCLASSA window_class = {};
  window_class.style = kClassStyle;
  window_class.lpfnWndProc = RendererWindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = kWindowClass;
  if (!RegisterClassA(&window_class)) return false;

  renderer.window =
      CreateWindowExA(0, kWindowClass, kWindowTitle, kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                      kWindowWidth, kWindowHeight, nullptr, nullptr, instance, &renderer);
  if (!renderer.window) return false;
  ShowWindow(renderer.window, SW_SHOW);
  UpdateWindow(renderer.window);
  // The keyboard comes to the scene even when another program was active.
  renderer.foreground.Take(renderer.window);

  // Sampled before the scene is built, so loading counts into the first frame.
  StartClock(renderer.clock);
  Init_Scene(renderer.scene, renderer.view_width, renderer.view_height, Texture_Disk());
  renderer.running = true;
  return true;
}

// Draws one frame whenever the queue is empty; the WM_QUIT message itself
// is dispatched too before the loop ends.
int RunMessageLoop(Renderer& renderer) {
  MSG message = {};
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  while (message.message != WM_QUIT) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } else {
      renderer.foreground.Keep();
      InvalidateRect(renderer.window, nullptr, FALSE);
    }
  }
  return static_cast<int>(message.wParam);
}

int RunRenderer(HINSTANCE instance) {
  // On the heap: the scene's star and globe arrays are large for a stack.
  auto renderer = std::make_unique<Renderer>();
  if (!StartRenderer(*renderer, instance)) return 0;
  const int exit_code = RunMessageLoop(*renderer);
  // The window outlives the loop until the process ends; it must not reach
  // the state freed here.
  SetWindowLongPtrA(renderer->window, GWLP_USERDATA, 0);
  return exit_code;
}

}  // namespace
}  // namespace vantrel

// The delay-import descriptors of opengl32 and glu32 (renderer/CMakeLists.txt).
extern "C" const ImgDelayDescr __DELAY_IMPORT_DESCRIPTOR_libvantrel_renderer_opengl32_delay_a;
extern "C" const ImgDelayDescr __DELAY_IMPORT_DESCRIPTOR_libvantrel_renderer_glu32_delay_a;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  vantrel::Use_System_Dlls_Only(L"Vantrel");
  // Before any call: many of their functions take float or double arguments.
  vantrel::Bind_Delay_Loaded_Dll(__DELAY_IMPORT_DESCRIPTOR_libvantrel_renderer_opengl32_delay_a);
  vantrel::Bind_Delay_Loaded_Dll(__DELAY_IMPORT_DESCRIPTOR_libvantrel_renderer_glu32_delay_a);
  return vantrel::RunRenderer(instance);
}
