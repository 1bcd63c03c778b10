// The hidden saver window: its two picture boxes and three timers carry the
// saver run on Win32.
#pragma once

#include <memory>

#include "settings/host_context.h"
#include "toolkit/form_win32.h"

namespace vantrel::host {

// Creates the hidden saver window; its load starts the run, which shows the
// cursor again at its end when `cursor_hidden`. Owned by the caller for as
// long as the host runs on its events.
std::unique_ptr<toolkit::Form> Create_Saver_Window(HostContext& host, bool cursor_hidden);

}  // namespace vantrel::host
