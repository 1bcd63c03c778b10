#include "startup/startup.h"

#include "startup/startup_args.h"

namespace vantrel::host {

StartupOutcome Main(HostWide& host, StartupShell& shell) {
  // Both titles are looked up before either result is used.
  const bool saver_running = shell.WindowTitled(kSaverWindowTitle);
  const bool dialog_open = shell.WindowTitled(kSettingsDialogTitle);
  if (saver_running || dialog_open) {
    shell.EndHost();
    return StartupOutcome::kEnded;
  }

  const std::wstring arguments = shell.ArgumentString();
  const std::wstring mode = Mode_Letter(arguments);
  if (mode == L"P") {
    shell.ShowPreview(Preview_Parent_Handle(arguments));
    return StartupOutcome::kPreview;
  }

  const std::wstring folder = shell.ProgramFolder();
  Load_Settings(host, shell.Profile(), shell.Files(), folder);

  if (!File_Exists(Renderer_Path(folder), shell.Files())) {
    shell.ShowMessage(kRendererMissingText, kApplicationTitle);
    shell.EndHost();
    return StartupOutcome::kEnded;
  }

  if (mode == L"C") {
    shell.ShowSettingsDialog();
    shell.EndHost();
    return StartupOutcome::kEnded;
  }
  if (!arguments.empty() && mode != L"S") {
    shell.EndHost();
    return StartupOutcome::kEnded;
  }
  Drop_Absent_Sound_File(host, shell.Files());
  const bool hide_cursor = mode == L"S";
  if (hide_cursor) shell.HideCursor();
  shell.CreateSaverWindow(hide_cursor);
  return StartupOutcome::kSaverRun;
}

}  // namespace vantrel::host
