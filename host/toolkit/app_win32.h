// Application-wide services of the host's window toolkit: the command
// line, the host's file, the screen's resolution and twips, the mouse pointer, the
// message box, the message loop and the end of the host.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::toolkit {

// The process's command line as the platform gives it, program name first.
std::wstring App_Command_Line();

// The full path of the host's own file.
std::wstring App_File_Path();

// The screen's logical dots per inch (96 when it reports none), its twips
// per pixel, and lengths converted between the two.
int Screen_Dpi_X();
int Screen_Dpi_Y();
double Twips_Per_Pixel_X();
double Twips_Per_Pixel_Y();
int Screen_Pixels_X(double twips);
int Screen_Pixels_Y(double twips);
int Screen_Twips_X(double pixels);
int Screen_Twips_Y(double pixels);

// Registers a window class of the host with the arrow pointer, once: later
// calls for the same name do nothing. The class asks for no double-clicks:
// a quick second press arrives as a press. Without a `background` its
// windows paint their whole client area themselves.
void Register_Window_Class(const wchar_t* name, WNDPROC procedure, HBRUSH background = nullptr);

// Whether a top-level window with exactly this title exists.
bool Window_Titled(const std::wstring& title);
// Every top-level window with exactly this title, and the id of the process
// that made a window (0 when the platform gives none).
std::vector<HWND> Windows_With_Title(const std::wstring& title);
uint32_t Window_Process_Id(HWND window);

// A window's rectangle on the screen; all 0 when the platform gives none.
RECT Window_Screen_Rect(HWND window);

// Whether the user asks for the keyboard's focus cues always
// (SPI_GETKEYBOARDCUES), rather than from the first key on.
bool Focus_Cues_Always();

enum class MousePointer { kDefault, kHourglass };
// Applies to every window of the host until changed again.
void Set_Mouse_Pointer(MousePointer pointer);
MousePointer Mouse_Pointer();

// A modal message box without owner; returns the button pressed.
int Message_Box(const std::wstring& text, const std::wstring& caption, UINT type);

// Ends the host: windows that still exist go without their events.
[[noreturn]] void End_Host();

// Called by forms as they come and go; the loop ends with the last one.
void App_Form_Loaded();
void App_Form_Gone();

}  // namespace vantrel::toolkit
