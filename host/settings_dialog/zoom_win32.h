// The settings dialog's zoom: it grows out of the point (Zoom_X, Zoom_Y)
// when it opens and shrinks back into it when it closes.
#pragma once

#include <windows.h>

#include "settings/host_wide.h"

namespace vantrel::host {

void Zoom_Open(HWND window, const HostWide& host);
void Zoom_Close(HWND window, const HostWide& host);

}  // namespace vantrel::host
