// Stand-in for the settings dialog until it is built: an empty window under
// the dialog's title, so that the configure path and the single-instance
// probe work end to end. It closes with its close box and writes nothing.
#include <windows.h>

#include "settings_dialog/yarrin_p.h"
#include "startup.h"
#include "toolkit/form_win32.h"

namespace vantrel::host {

void Show_Settings_Dialog() {
  toolkit::FormDesign design;
  design.caption = kSettingsDialogTitle;
  design.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  design.left = 4800;
  design.top = 3600;
  design.width = 6000;
  design.height = 4500;
  toolkit::Form dialog(design);
  dialog.ShowModal();
}

}  // namespace vantrel::host
