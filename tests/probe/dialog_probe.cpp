// Windows-side helper of the settings dialog's e2e tests: reads a settings
// key through the profile API (printed as hex bytes, so the code page's
// texts reach the test unchanged), drives the file chooser, gives a
// window's client origin, and presses any mouse button at a screen point.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

int Usage() {
  std::fprintf(stderr,
               "dialog_probe profile <file> <section> <key>\n"
               "dialog_probe choose <title> <path> <timeout ms>\n"
               "dialog_probe client <title>\n"
               "dialog_probe press <left|right|middle> <x> <y>\n");
  return 2;
}

HWND WaitFor(const char* title, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND w = FindWindowA(nullptr, title);
    if (w && IsWindowVisible(w)) return w;
    if (GetTickCount() - start > timeout_ms) return nullptr;
    Sleep(50);
  }
}

void PrintHex(const char* label, const char* text) {
  std::printf("%s=", label);
  for (const char* c = text; *c; ++c) std::printf("%02x", static_cast<unsigned char>(*c));
  std::printf("\n");
}

int Profile(const char* file, const char* section, const char* key) {
  char value[512] = {};
  const DWORD n = GetPrivateProfileStringA(section, key, "\x01missing", value, sizeof value, file);
  if (n >= 8 && std::strcmp(value, "\x01missing") == 0) return 1;
  PrintHex("value", value);
  return 0;
}

// Types the path into the chooser's file-name field and presses Open.
int Choose(const char* title, const char* path, DWORD timeout_ms) {
  HWND chooser = WaitFor(title, timeout_ms);
  if (!chooser) return 1;
  Sleep(300);
  bool set = false;
  for (int id : {0x47c /* cmb13 */, 0x480 /* edt1 */}) {
    if (HWND field = GetDlgItem(chooser, id)) {
      set = SetWindowTextA(field, path) != 0 || set;
    }
  }
  if (!set) return 3;
  PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
  return 0;
}

int Client(const char* title) {
  HWND w = FindWindowA(nullptr, title);
  if (!w) return 1;
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  RECT client{};
  GetClientRect(w, &client);
  std::printf("x=%ld y=%ld w=%ld h=%ld\n", origin.x, origin.y, client.right, client.bottom);
  return 0;
}

int Press(const char* button, int x, int y) {
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
  SendInput(1, &in[1], sizeof(INPUT));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const char* cmd = argv[1];
  if (std::strcmp(cmd, "profile") == 0 && argc == 5) return Profile(argv[2], argv[3], argv[4]);
  if (std::strcmp(cmd, "choose") == 0 && argc == 5) {
    return Choose(argv[2], argv[3], std::strtoul(argv[4], nullptr, 10));
  }
  if (std::strcmp(cmd, "client") == 0 && argc == 3) return Client(argv[2]);
  if (std::strcmp(cmd, "press") == 0 && argc == 5) {
    return Press(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  }
  return Usage();
}
