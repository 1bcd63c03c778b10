// The host's start-up procedure Main: single-instance probe, mode letter,
// settings, renderer check and dispatch. The platform is reached through
// StartupShell so that the dispatch table runs without windows.
#pragma once

#include <cstdint>
#include <string>

#include "settings/host_wide.h"
#include "settings/path_rules.h"
#include "saver/saver_run.h"
#include "settings/settings_file.h"
#include "settings_dialog/settings_dialog_model.h"

namespace vantrel::host {

inline constexpr const wchar_t* kApplicationTitle = L"Vantrel (ScreenSaver)";
inline constexpr const wchar_t* kRendererMissingText = L"Vantrel.dll が同じﾌｫﾙﾀﾞに見つかりません！";

class StartupShell {
 public:
  virtual ~StartupShell() = default;
  virtual bool WindowTitled(const std::wstring& title) = 0;
  virtual std::wstring ArgumentString() = 0;
  virtual std::wstring ProgramFolder() = 0;
  virtual ProfilePort& Profile() = 0;
  virtual FilePort& Files() = 0;
  // Modal message box with an OK button and no icon.
  virtual void ShowMessage(const std::wstring& text, const std::wstring& caption) = 0;
  virtual void HideCursor() = 0;
  virtual void ShowPreview(int32_t parent_handle) = 0;
  // Shows the settings dialog modally and returns once it has closed.
  virtual void ShowSettingsDialog() = 0;
  // Creates the hidden saver window; its load handler starts the run, which
  // shows the cursor again at its end when start-up hid it.
  virtual void CreateSaverWindow(bool cursor_hidden) = 0;
  // Terminates the process; a stand-in may return.
  virtual void EndHost() = 0;
};

// What the host does after Main: end, or run on the events of the window
// that Main made.
enum class StartupOutcome { kEnded, kPreview, kSaverRun };

StartupOutcome Main(HostWide& host, StartupShell& shell);

}  // namespace vantrel::host
