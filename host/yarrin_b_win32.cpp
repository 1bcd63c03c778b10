// WinMain and the platform side of the start-up procedure Main.
#include "yarrin_b_win32.h"

#include "settings_dialog/yarrin_p.h"
#include "startup.h"
#include "startup_args.h"
#include "toolkit/ansi_text_win32.h"
#include "toolkit/app_win32.h"
#include "toolkit/ignore_result.h"

namespace vantrel::host {
namespace {

using toolkit::Ignore_Result;

class Win32StartupShell final : public StartupShell {
 public:
  bool WindowTitled(const std::wstring& title) override {
    return FindWindowA(nullptr, toolkit::To_Ansi(title).c_str()) != nullptr;
  }
  std::wstring ArgumentString() override { return Argument_String(toolkit::App_Command_Line()); }
  std::wstring ProgramFolder() override { return Program_Folder(toolkit::App_File_Path()); }
  ProfilePort& Profile() override { return Host_Profile(); }
  FilePort& Files() override { return Host_Files(); }
  void ShowMessage(const std::wstring& text, const std::wstring& caption) override {
    Ignore_Result(toolkit::Message_Box(text, caption, MB_OK));
  }
  void HideCursor() override { Ignore_Result(ShowCursor(FALSE)); }
  void ShowPreview(int32_t parent_handle) override { Show_Preview(parent_handle); }
  void ShowSettingsDialog() override { Show_Settings_Dialog(); }
  void CreateSaverWindow() override { Create_Saver_Window(); }
  void EndHost() override { toolkit::End_Host(); }
};

void AnimateBetween(HWND window, const RECT& from, const RECT& to) {
  Ignore_Result(DrawAnimatedRects(window, IDANI_CAPTION, &from, &to));
}

RECT WindowRectOrZero(HWND window) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) rect = RECT{};
  return rect;
}

RECT ZoomPoint() {
  const HostWide& host = Host_Wide();
  return RECT{host.Zoom_X, host.Zoom_Y, host.Zoom_X, host.Zoom_Y};
}

}  // namespace

HostWide& Host_Wide() {
  static HostWide host;
  return host;
}

Win32ProfilePort& Host_Profile() {
  static Win32ProfilePort profile;
  return profile;
}

Win32FilePort& Host_Files() {
  static Win32FilePort files;
  return files;
}

void Zoom_Open(HWND window) { AnimateBetween(window, ZoomPoint(), WindowRectOrZero(window)); }

void Zoom_Close(HWND window) { AnimateBetween(window, WindowRectOrZero(window), ZoomPoint()); }

}  // namespace vantrel::host

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  vantrel::host::Win32StartupShell shell;
  if (vantrel::host::Main(vantrel::host::Host_Wide(), shell) ==
      vantrel::host::StartupOutcome::kEnded) {
    return 0;
  }
  return vantrel::toolkit::Run_Message_Loop();
}
