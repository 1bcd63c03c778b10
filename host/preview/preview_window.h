// The still picture inside the display-settings page's preview area.
#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/form_win32.h"

namespace vantrel::host {

// Shows the preview as a child of the window `parent_handle`. Owned by the
// caller for as long as the host runs on its events.
std::unique_ptr<toolkit::Form> Show_Preview(int32_t parent_handle);

}  // namespace vantrel::host
