// The code module Yarrin_B on Win32: the host-wide values, the shared
// platform ports, the dialog zoom and the windows that Main can open.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "host_wide.h"
#include "platform_ports_win32.h"

namespace vantrel::host {

// The host-wide settings and zoom point, for the life of the process.
HostWide& Host_Wide();
Win32ProfilePort& Host_Profile();
Win32FilePort& Host_Files();

// The settings dialog grows out of (Zoom_X, Zoom_Y) and shrinks back into it.
void Zoom_Open(HWND window);
void Zoom_Close(HWND window);

// Preview inside the display-settings page (yarrin_r_win32.cpp).
void Show_Preview(int32_t parent_handle);
// Creates the hidden saver window; its load starts the run (yarrin_s_win32.cpp).
void Create_Saver_Window();

}  // namespace vantrel::host
