// WinMain and the platform side of the start-up procedure Main: the
// host-wide values and the ports are made here, once, and handed down.

#include <windows.h>

#include "music/mci_port_win32.h"
#include "preview/preview_window.h"
#include "saver/saver_window.h"
#include "settings/host_context.h"
#include "settings/settings_ports_win32.h"
#include "settings_dialog/settings_dialog.h"
#include "startup/startup.h"
#include "startup/startup_args.h"
#include "system_dlls_win32.h"
#include "toolkit/app_win32.h"
#include "toolkit/ignore_result.h"
#include "toolkit/message_loop_win32.h"

namespace vantrel::host {
namespace {

using toolkit::Ignore_Result;

class Win32StartupShell final : public StartupShell {
 public:
  explicit Win32StartupShell(HostContext& host) : host_(host) {}

  bool WindowTitled(const std::wstring& title) override { return toolkit::Window_Titled(title); }
  std::wstring ArgumentString() override { return host_.arguments; }
  std::wstring ProgramFolder() override { return host_.program_folder; }
  ProfilePort& Profile() override { return host_.profile; }
  FilePort& Files() override { return host_.files; }
  void ShowMessage(const std::wstring& text, const std::wstring& caption) override {
    Ignore_Result(toolkit::Message_Box(text, caption, MB_OK));
  }
  void HideCursor() override { Ignore_Result(ShowCursor(FALSE)); }
  void ShowPreview(int32_t parent_handle) override { window_ = Show_Preview(parent_handle); }
  void ShowSettingsDialog() override { Show_Settings_Dialog(host_); }
  void CreateSaverWindow(bool cursor_hidden) override {
    window_ = Create_Saver_Window(host_, cursor_hidden);
  }
  void EndHost() override { toolkit::End_Host(); }

 private:
  HostContext& host_;
  std::unique_ptr<toolkit::Form> window_;  // the preview or the saver window
};

}  // namespace
}  // namespace vantrel::host

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace vantrel::host;
  namespace toolkit = vantrel::toolkit;
  vantrel::Use_System_Dlls_Only(kApplicationTitle);
  HostWide values;
  Win32ProfilePort profile;
  Win32FilePort files;
  Win32MciPort mci;
  HostContext host{values,
                   profile,
                   files,
                   mci,
                   Program_Folder(toolkit::App_File_Path()),
                   Argument_String(toolkit::App_Command_Line())};
  Win32StartupShell shell(host);
  if (Main(values, shell) == StartupOutcome::kEnded) return 0;
  return toolkit::Run_Message_Loop();
}
