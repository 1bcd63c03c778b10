// Windows-side helper of the end-to-end tests: does what Windows and the user
// do (find windows, read their facts, press keys, capture pixels, act as a
// preview parent). One command per run; results go to stdout.
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

void PrintWindow(HWND w) {
  char cls[256] = {}, title[512] = {};
  GetClassNameA(w, cls, sizeof cls);
  GetWindowTextA(w, title, sizeof title);
  RECT r = {}, c = {};
  GetWindowRect(w, &r);
  GetClientRect(w, &c);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  std::printf(
      "hwnd=%llu class=%s left=%ld top=%ld width=%ld height=%ld client_w=%ld client_h=%ld "
      "style=0x%08lx exstyle=0x%08lx classstyle=0x%08lx visible=%d topmost=%d pid=%lu "
      "parent=%llu\n",
      static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w)), cls, r.left, r.top,
      r.right - r.left, r.bottom - r.top, c.right, c.bottom,
      static_cast<unsigned long>(GetWindowLongA(w, GWL_STYLE)),
      static_cast<unsigned long>(GetWindowLongA(w, GWL_EXSTYLE)),
      static_cast<unsigned long>(GetClassLongA(w, GCL_STYLE)), IsWindowVisible(w) ? 1 : 0,
      (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0, static_cast<unsigned long>(pid),
      static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(GetParent(w))));
  std::printf("title=%s\n", title);
}

// Waits up to `ms` for a window with this title to exist (or, with
// `want_gone`, to be gone). Returns the window, or null.
HWND WaitFor(const char* title, DWORD ms, bool want_gone) {
  const ULONGLONG end = GetTickCount64() + ms;
  for (;;) {
    HWND w = FindWindowA(nullptr, title);
    if ((w != nullptr) != want_gone) return w ? w : reinterpret_cast<HWND>(1);
    if (GetTickCount64() >= end) return nullptr;
    Sleep(20);
  }
}

void SendKey(WORD vk, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

bool WriteBmp(const char* path, int width, int height, const std::vector<unsigned char>& bgr) {
  const int row = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER fh = {};
  BITMAPINFOHEADER ih = {};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + row * height;
  ih.biSize = sizeof ih;
  ih.biWidth = width;
  ih.biHeight = height;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  ih.biSizeImage = row * height;
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  std::fwrite(&fh, sizeof fh, 1, f);
  std::fwrite(&ih, sizeof ih, 1, f);
  std::fwrite(bgr.data(), 1, bgr.size(), f);
  std::fclose(f);
  return true;
}

// Copies a screen rectangle into bottom-up 24-bit rows padded to 4 bytes.
std::vector<unsigned char> GrabScreen(const RECT& r) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const int row = (width * 3 + 3) & ~3;
  std::vector<unsigned char> pixels(static_cast<unsigned char*>(bits),
                                    static_cast<unsigned char*>(bits) + row * height);
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// Captures the screen rectangle of `w` (what the user sees there).
int Capture(HWND w, const char* path) {
  RECT r = {};
  if (w) {
    GetWindowRect(w, &r);
  } else {
    r.right = GetSystemMetrics(SM_CXSCREEN);
    r.bottom = GetSystemMetrics(SM_CYSCREEN);
  }
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return 3;
  const std::vector<unsigned char> pixels = GrabScreen(r);
  return WriteBmp(path, width, height, pixels) ? 0 : 4;
}

// A text's bytes in the program's code page as hex digits, so that a test
// decodes them itself.
std::string Hex(const char* text) {
  std::string hex;
  for (const char* c = text; *c; ++c) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(*c));
    hex += pair;
  }
  return hex;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  char cls[64] = {}, text[1024] = {};
  GetClassNameA(child, cls, sizeof cls);
  // WM_GETTEXT rather than GetWindowTextA: across processes the latter gives
  // only the stored caption, not what an edit or combo box shows.
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  RECT r = {};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetAncestor(child, GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
  // The text twice: as hex bytes in the program's code page, then as it is.
  const std::string hex = Hex(text);
  std::printf(
      "child hwnd=%llu class=%s id=%d x=%ld y=%ld w=%ld h=%ld style=0x%08lx hex=%s "
      "text=%s\n",
      static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(child)), cls, GetDlgCtrlID(child),
      r.left, r.top, r.right - r.left, r.bottom - r.top,
      static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)), hex.c_str(), text);
  return TRUE;
}

// A wide text as hex bytes of its UTF-8 form.
std::string Utf8Hex(BSTR text) {
  if (!text) return "";
  char utf8[2048] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
  return Hex(utf8);
}

// What a screen reader reads of a window's client object and its simple
// children, as another process reads it.
BOOL CALLBACK PrintAccessible(HWND w, LPARAM) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(w, OBJID_CLIENT, IID_IAccessible,
                                        reinterpret_cast<void**>(&object)))) {
    return TRUE;
  }
  std::vector<LONG> ids = {CHILDID_SELF};
  VARIANT children[32];
  LONG count = 0;
  if (SUCCEEDED(AccessibleChildren(object, 0, 32, children, &count))) {
    for (LONG i = 0; i < count; ++i) {
      if (children[i].vt == VT_I4) ids.push_back(children[i].lVal);
      VariantClear(&children[i]);
    }
  }
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  for (LONG id : ids) {
    VARIANT child, role, state;
    child.vt = VT_I4;
    child.lVal = id;
    VariantInit(&role);
    VariantInit(&state);
    BSTR name = nullptr;
    object->get_accRole(child, &role);
    object->get_accState(child, &state);
    object->get_accName(child, &name);
    std::printf("access hwnd=%llu class=%s child=%ld role=0x%lx state=0x%lx name=%s\n",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w)), cls, id,
                role.vt == VT_I4 ? role.lVal : -1L, state.vt == VT_I4 ? state.lVal : -1L,
                Utf8Hex(name).c_str());
    SysFreeString(name);
  }
  object->Release();
  return TRUE;
}

LRESULT CALLBACK ParentProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(w, m, wp, lp);
}

// A stand-in for the display-settings page: a window whose client area is
// the preview area. It is destroyed when a line arrives on stdin or after
// `life_ms`.
int RunParent(int width, int height, DWORD life_ms, const char* title = "Probe Parent") {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ParentProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "VantrelProbeParent";
  RegisterClassA(&wc);
  // Borderless, like the page's preview area: its window rectangle is its
  // client area.
  HWND w = CreateWindowExA(0, wc.lpszClassName, title, WS_POPUP | WS_VISIBLE, 100, 100, width,
                           height, nullptr, nullptr, wc.hInstance, nullptr);
  std::printf("parent=%llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w)));
  std::fflush(stdout);
  SetTimer(w, 1, life_ms, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == w) {
      DestroyWindow(w);
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

// Whether the screen under the window shows anything but black yet.
bool WindowShowsPixels(HWND w) {
  RECT r = {};
  GetWindowRect(w, &r);
  if (r.right <= r.left || r.bottom <= r.top) return false;
  for (unsigned char channel : GrabScreen(r)) {
    if (channel > 40) return true;
  }
  return false;
}

// Starts a program and times, from just before CreateProcess, the moment its
// window exists and the moment it first shows drawn pixels.
int Launch(const char* command_line, const char* title) {
  LARGE_INTEGER freq, start, now;
  QueryPerformanceFrequency(&freq);
  std::string cmd = command_line;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return 3;
  auto ms = [&] {
    QueryPerformanceCounter(&now);
    return 1000.0 * (now.QuadPart - start.QuadPart) / freq.QuadPart;
  };
  HWND w = nullptr;
  double window_ms = -1, frame_ms = -1;
  while (ms() < 20000 && !w) {
    w = FindWindowA(nullptr, title);
    if (!w) Sleep(1);
  }
  if (w) window_ms = ms();
  while (w && ms() < 20000) {
    if (WindowShowsPixels(w)) {
      frame_ms = ms();
      break;
    }
    Sleep(1);
  }
  std::printf("pid=%lu window_ms=%.1f frame_ms=%.1f\n", pi.dwProcessId, window_ms, frame_ms);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return w ? 0 : 1;
}

// Moves the pointer to a screen point and presses a mouse button there
// ("left", "right" or "middle"), then releases it at (to_x, to_y), moving
// there in steps while it is held.
int Press(const char* button, int x, int y, int to_x, int to_y) {
  DWORD down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
  if (std::strcmp(button, "right") == 0) down = MOUSEEVENTF_RIGHTDOWN, up = MOUSEEVENTF_RIGHTUP;
  if (std::strcmp(button, "middle") == 0) down = MOUSEEVENTF_MIDDLEDOWN, up = MOUSEEVENTF_MIDDLEUP;
  SetCursorPos(x, y);
  Sleep(50);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = down;
  in[1].mi.dwFlags = up;
  SendInput(1, &in[0], sizeof(INPUT));
  Sleep(80);
  if (to_x != x || to_y != y) {
    for (int step = 1; step <= 4; ++step) {
      SetCursorPos(x + (to_x - x) * step / 4, y + (to_y - y) * step / 4);
      Sleep(40);
    }
  }
  SendInput(1, &in[1], sizeof(INPUT));
  return 0;
}

// The screen position and size of a window's client area, and the screen's
// logical dots per inch, by which the window's designed twips become pixels.
int PrintClient(const char* title) {
  HWND w = FindWindowA(nullptr, title);
  if (!w) return 1;
  POINT origin = {0, 0};
  ClientToScreen(w, &origin);
  RECT client = {};
  GetClientRect(w, &client);
  HDC screen = GetDC(nullptr);
  const int dpi_x = GetDeviceCaps(screen, LOGPIXELSX), dpi_y = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  std::printf("x=%ld y=%ld w=%ld h=%ld dpi_x=%d dpi_y=%d screen_w=%d screen_h=%d\n", origin.x,
              origin.y, client.right, client.bottom, dpi_x, dpi_y, GetSystemMetrics(SM_CXSCREEN),
              GetSystemMetrics(SM_CYSCREEN));
  return 0;
}

// A profile key as the program's code page reads it, printed as hex bytes so
// that the test sees the code page's bytes unchanged. Exit code 1: no such key.
int PrintProfileValue(const char* file, const char* section, const char* key) {
  static const char kMissing[] = "\x01missing";
  char value[512] = {};
  GetPrivateProfileStringA(section, key, kMissing, value, sizeof value, file);
  if (std::strcmp(value, kMissing) == 0) return 1;
  std::printf("value=%s\n", Hex(value).c_str());
  return 0;
}

// What Windows shows of a program file: its version resource (Properties >
// Details), its string 1 (the screen-saver list's name) and its manifest,
// texts as hex.
// Exit code 1: no version resource.
int PrintVersion(const char* file) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(file, &ignored);
  if (size == 0) return 1;
  std::vector<char> info(size);
  if (!GetFileVersionInfoA(file, 0, size, info.data())) return 3;
  void* value = nullptr;
  UINT length = 0;
  if (VerQueryValueA(info.data(), "\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    std::printf("fixed_file=%u.%u.%u.%u\nfixed_product=%u.%u.%u.%u\n",
                HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS),
                HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
  }
  if (VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &value, &length) &&
      length >= 2 * sizeof(WORD)) {
    const WORD* language = static_cast<const WORD*>(value);
    std::printf("translation=%04x%04x\n", language[0], language[1]);
    for (const char* name : {"CompanyName", "FileDescription", "FileVersion", "LegalCopyright",
                             "OriginalFilename", "ProductName", "ProductVersion"}) {
      char key[128];
      std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\%s", language[0], language[1],
                    name);
      if (VerQueryValueA(info.data(), key, &value, &length) && length > 0) {
        std::printf("%s=%s\n", name, Hex(static_cast<const char*>(value)).c_str());
      }
    }
  }
  if (HMODULE module = LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
    char text[256] = {};
    if (LoadStringA(module, 1, text, sizeof text) > 0) {
      std::printf("string1=%s\n", Hex(text).c_str());
    }
    // The application manifest Windows reads as it starts the program.
    if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
      const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
      if (bytes) {
        std::printf("manifest=%s\n",
                    Hex(std::string(bytes, SizeofResource(module, found)).c_str()).c_str());
      }
    }
    FreeLibrary(module);
  }
  return 0;
}

// Answers a file chooser as a user does: types the path into its file-name
// field and presses Open.
int Choose(const char* title, const char* path, DWORD timeout_ms) {
  HWND chooser = WaitFor(title, timeout_ms, false);
  if (!chooser) return 1;
  Sleep(300);
  bool typed = false;
  for (int id : {0x47c /* cmb13 */, 0x480 /* edt1 */}) {
    if (HWND field = GetDlgItem(chooser, id)) typed = SetWindowTextA(field, path) != 0 || typed;
  }
  if (!typed) return 3;
  PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "probe find TITLE | wait TITLE MS | gone TITLE MS | drawn TITLE MS |\n"
               "      key TITLE|- VK HOLD_MS [shift] |\n"
               "      close TITLE | kill TITLE | capture TITLE|- OUT.BMP | children TITLE |\n"
               "      parent WIDTH HEIGHT LIFE_MS | move X Y |\n"
               "      press left|right|middle X Y | drag left|right|middle X Y TO_X TO_Y |\n"
               "      client TITLE |\n"
               "      profile FILE SECTION KEY | choose TITLE PATH MS |\n"
               "      launch COMMAND_LINE TITLE | version FILE | access TITLE | hold FILE\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // Copied as Vantrel.dll and started by the host without arguments: a renderer
  // whose window comes late. VANTREL_STAND_IN="DELAY_MS LIFE_MS": its window
  // shows after DELAY_MS for LIFE_MS, or with LIFE_MS 0 it ends without one.
  char stand_in[64] = {};
  if (argc < 2 && GetEnvironmentVariableA("VANTREL_STAND_IN", stand_in, sizeof stand_in)) {
    char* rest = nullptr;
    Sleep(std::strtoul(stand_in, &rest, 10));
    const DWORD life_ms = std::strtoul(rest, nullptr, 10);
    return life_ms ? RunParent(320, 240, life_ms, "Yarrin_VC") : 0;
  }
  if (argc < 2) return Usage();
  const std::string cmd = argv[1];
  if (cmd == "find" && argc == 3) {
    HWND w = FindWindowA(nullptr, argv[2]);
    if (!w) return 1;
    PrintWindow(w);
    return 0;
  }
  if ((cmd == "wait" || cmd == "gone") && argc == 4) {
    HWND w = WaitFor(argv[2], std::strtoul(argv[3], nullptr, 10), cmd == "gone");
    if (!w) return 1;
    if (cmd == "wait") PrintWindow(w);
    return 0;
  }
  if (cmd == "key" && (argc == 5 || (argc == 6 && std::strcmp(argv[5], "shift") == 0))) {
    // "-" types into whatever has the focus now, as a keyboard does.
    if (std::strcmp(argv[2], "-") != 0) {
      HWND w = FindWindowA(nullptr, argv[2]);
      if (!w) return 1;
      SetForegroundWindow(w);
      SetFocus(w);
      Sleep(50);
    }
    const bool shift = argc == 6;
    if (shift) SendKey(VK_SHIFT, false);
    const WORD vk = static_cast<WORD>(std::strtoul(argv[3], nullptr, 0));
    SendKey(vk, false);
    Sleep(std::strtoul(argv[4], nullptr, 10));
    SendKey(vk, true);
    if (shift) SendKey(VK_SHIFT, true);
    return 0;
  }
  if (cmd == "kill" && argc == 3) {
    // Ends the window's process the hard way, as a crash or Task Manager would.
    HWND w = FindWindowA(nullptr, argv[2]);
    if (!w) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
    if (!process) return 3;
    const BOOL ended = TerminateProcess(process, 9);
    CloseHandle(process);
    return ended ? 0 : 3;
  }
  if (cmd == "drawn" && argc == 4) {
    // Waits until the titled window shows anything but black on the screen.
    const ULONGLONG end = GetTickCount64() + std::strtoul(argv[3], nullptr, 10);
    for (;;) {
      HWND w = FindWindowA(nullptr, argv[2]);
      if (w && WindowShowsPixels(w)) return 0;
      if (GetTickCount64() >= end) return 1;
      Sleep(50);
    }
  }
  if (cmd == "close" && argc == 3) {
    HWND w = FindWindowA(nullptr, argv[2]);
    if (!w) return 1;
    return PostMessageA(w, WM_CLOSE, 0, 0) ? 0 : 3;
  }
  if (cmd == "capture" && argc == 4) {
    HWND w = nullptr;
    if (std::strcmp(argv[2], "-") != 0 && !(w = FindWindowA(nullptr, argv[2]))) return 1;
    return Capture(w, argv[3]);
  }
  if (cmd == "children" && argc == 3) {
    HWND w = FindWindowA(nullptr, argv[2]);
    if (!w) return 1;
    PrintWindow(w);
    EnumChildWindows(w, PrintChild, 0);
    return 0;
  }
  if (cmd == "parent" && argc == 5) {
    return RunParent(std::atoi(argv[2]), std::atoi(argv[3]), std::strtoul(argv[4], nullptr, 10));
  }
  if (cmd == "move" && argc == 4) {
    SetCursorPos(std::atoi(argv[2]), std::atoi(argv[3]));
    return 0;
  }
  if (cmd == "press" && argc == 5) {
    const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
    return Press(argv[2], x, y, x, y);
  }
  if (cmd == "drag" && argc == 7) {
    return Press(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                 std::atoi(argv[6]));
  }
  if (cmd == "client" && argc == 3) return PrintClient(argv[2]);
  if (cmd == "profile" && argc == 5) return PrintProfileValue(argv[2], argv[3], argv[4]);
  if (cmd == "choose" && argc == 5) {
    return Choose(argv[2], argv[3], std::strtoul(argv[4], nullptr, 10));
  }
  if (cmd == "hold" && argc == 3) {
    // Holds the file open without delete sharing, as a virus scan does, while
    // the window "Probe Holder" is open.
    HANDLE file =
        CreateFileA(argv[2], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const int result = RunParent(16, 16, 60000, "Probe Holder");
    CloseHandle(file);
    return result;
  }
  if (cmd == "launch" && argc == 4) return Launch(argv[2], argv[3]);
  if (cmd == "version" && argc == 3) return PrintVersion(argv[2]);
  if (cmd == "access" && argc == 3) {
    HWND w = FindWindowA(nullptr, argv[2]);
    if (!w || FAILED(CoInitialize(nullptr))) return 1;
    PrintAccessible(w, 0);
    EnumChildWindows(w, PrintAccessible, 0);
    CoUninitialize();
    return 0;
  }
  return Usage();
}
