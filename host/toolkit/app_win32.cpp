#include "app_win32.h"

#include <vector>

#include "ignore_result.h"
#include "twips.h"

namespace vantrel::toolkit {
namespace {

struct AppState {
  MousePointer pointer = MousePointer::kDefault;
  int forms = 0;
};

AppState& App() {
  static AppState state;
  return state;
}

int QueryScreenDpi(int axis) {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, axis) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

// The logical resolution is fixed for the life of the process, so it is asked
// once per axis rather than at every conversion of the layout.
int ScreenDpi(int axis) {
  static const int dpi_x = QueryScreenDpi(LOGPIXELSX);
  static const int dpi_y = QueryScreenDpi(LOGPIXELSY);
  return axis == LOGPIXELSX ? dpi_x : dpi_y;
}

}  // namespace

// Wide, so that a program path outside the ANSI code page comes through whole.
std::wstring App_Command_Line() { return GetCommandLineW(); }

std::wstring App_File_Path() {
  std::vector<wchar_t> buffer(MAX_PATH + 1, L'\0');
  DWORD length = 0;
  for (;;) {
    length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size() - 1 || buffer.size() > 32768) break;
    buffer.assign(buffer.size() * 2, L'\0');
  }
  return std::wstring(buffer.data(), length);
}

int Screen_Dpi_X() { return ScreenDpi(LOGPIXELSX); }
int Screen_Dpi_Y() { return ScreenDpi(LOGPIXELSY); }
double Twips_Per_Pixel_X() { return Twips_Per_Pixel(Screen_Dpi_X()); }
double Twips_Per_Pixel_Y() { return Twips_Per_Pixel(Screen_Dpi_Y()); }
int Screen_Pixels_X(double twips) { return Twips_To_Pixels(twips, Twips_Per_Pixel_X()); }
int Screen_Pixels_Y(double twips) { return Twips_To_Pixels(twips, Twips_Per_Pixel_Y()); }
int Screen_Twips_X(double pixels) { return Pixels_To_Twips(pixels, Twips_Per_Pixel_X()); }
int Screen_Twips_Y(double pixels) { return Pixels_To_Twips(pixels, Twips_Per_Pixel_Y()); }

// Unicode classes: their windows keep and show texts in any script, whatever
// the system's ANSI code page.
void Register_Window_Class(const wchar_t* name, WNDPROC procedure, HBRUSH background) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, name, &window_class)) return;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hbrBackground = background;
  window_class.lpszClassName = name;
  Ignore_Result(RegisterClassExW(&window_class));
}

bool Window_Titled(const std::wstring& title) {
  return FindWindowW(nullptr, title.c_str()) != nullptr;
}

std::vector<HWND> Windows_With_Title(const std::wstring& title) {
  std::vector<HWND> windows;
  HWND after = nullptr;
  while ((after = FindWindowExW(nullptr, after, nullptr, title.c_str())) != nullptr) {
    windows.push_back(after);
  }
  return windows;
}

uint32_t Window_Process_Id(HWND window) {
  DWORD process_id = 0;
  return GetWindowThreadProcessId(window, &process_id) ? process_id : 0;
}

RECT Window_Screen_Rect(HWND window) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) rect = RECT{};
  return rect;
}

bool Focus_Cues_Always() {
  BOOL always = FALSE;
  return SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &always, 0) && always;
}

void Set_Mouse_Pointer(MousePointer pointer) {
  App().pointer = pointer;
  POINT at{};
  // Re-evaluate the cursor under the pointer now rather than at its next move.
  if (GetCursorPos(&at)) Ignore_Result(SetCursorPos(at.x, at.y));
}

MousePointer Mouse_Pointer() { return App().pointer; }

int Message_Box(const std::wstring& text, const std::wstring& caption, UINT type) {
  return MessageBoxW(nullptr, text.c_str(), caption.c_str(), type);
}

void End_Host() { ExitProcess(0); }

void App_Form_Loaded() { ++App().forms; }

void App_Form_Gone() {
  if (--App().forms <= 0) PostQuitMessage(0);
}

}  // namespace vantrel::toolkit
