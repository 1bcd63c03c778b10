#include "app_win32.h"

#include <vector>

#include "ansi_text_win32.h"
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

std::wstring App_Command_Line() { return From_Ansi(GetCommandLineA()); }

std::wstring App_File_Path() {
  std::vector<char> buffer(MAX_PATH + 1, '\0');
  DWORD length = 0;
  for (;;) {
    length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size() - 1 || buffer.size() > 32768) break;
    buffer.assign(buffer.size() * 2, '\0');
  }
  return From_Ansi(std::string(buffer.data(), length));
}

int Screen_Dpi_X() { return ScreenDpi(LOGPIXELSX); }
int Screen_Dpi_Y() { return ScreenDpi(LOGPIXELSY); }
double Twips_Per_Pixel_X() { return Twips_Per_Pixel(Screen_Dpi_X()); }
double Twips_Per_Pixel_Y() { return Twips_Per_Pixel(Screen_Dpi_Y()); }
int Screen_Pixels_X(double twips) { return Twips_To_Pixels(twips, Twips_Per_Pixel_X()); }
int Screen_Pixels_Y(double twips) { return Twips_To_Pixels(twips, Twips_Per_Pixel_Y()); }
int Screen_Twips_X(double pixels) { return Pixels_To_Twips(pixels, Twips_Per_Pixel_X()); }
int Screen_Twips_Y(double pixels) { return Pixels_To_Twips(pixels, Twips_Per_Pixel_Y()); }

void Register_Window_Class(const char* name, WNDPROC procedure, UINT style) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof(window_class);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (GetClassInfoExA(instance, name, &window_class)) return;
  window_class.style = style;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.lpszClassName = name;
  Ignore_Result(RegisterClassExA(&window_class));
}

bool Window_Titled(const std::wstring& title) {
  return FindWindowA(nullptr, To_Ansi(title).c_str()) != nullptr;
}

RECT Window_Screen_Rect(HWND window) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) rect = RECT{};
  return rect;
}

void Set_Mouse_Pointer(MousePointer pointer) {
  App().pointer = pointer;
  POINT at{};
  // Re-evaluate the cursor under the pointer now rather than at its next move.
  if (GetCursorPos(&at)) Ignore_Result(SetCursorPos(at.x, at.y));
}

MousePointer Mouse_Pointer() { return App().pointer; }

int Message_Box(const std::wstring& text, const std::wstring& caption, UINT type) {
  return MessageBoxA(nullptr, To_Ansi(text).c_str(), To_Ansi(caption).c_str(), type);
}

uint32_t Start_Program(const std::wstring& path, int show_command) {
  // CreateProcessA runs any executable by path, whatever its name ends with;
  // the shell's file associations would refuse a ".dll".
  const std::string application = To_Ansi(path);
  std::string command_line = "\"" + application + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show_command);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(application.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &process)) {
    return 0;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return process.dwProcessId;
}

void End_Host() { ExitProcess(0); }

int Run_Message_Loop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

void App_Form_Loaded() { ++App().forms; }

void App_Form_Gone() {
  if (--App().forms <= 0) PostQuitMessage(0);
}

}  // namespace vantrel::toolkit
