// The windows that the start-up procedure Main opens on Win32, each owned by
// the caller for as long as the host runs on its events.
#pragma once

#include <cstdint>
#include <memory>

#include "host_context.h"
#include "toolkit/form_win32.h"

namespace vantrel::host {

// Preview inside the display-settings page (yarrin_r_win32.cpp).
std::unique_ptr<toolkit::Form> Show_Preview(int32_t parent_handle);
// Creates the hidden saver window; its load starts the run (yarrin_s_win32.cpp).
std::unique_ptr<toolkit::Form> Create_Saver_Window(HostContext& host);

}  // namespace vantrel::host
