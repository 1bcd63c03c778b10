// The settings dialog, shown modally for the configure argument.
#pragma once

#include "settings/host_context.h"

namespace vantrel::host {

// Shows the dialog without an owner window and returns once it has closed;
// it works on `host`'s values and writes its settings file.
void Show_Settings_Dialog(HostContext& host);

}  // namespace vantrel::host
