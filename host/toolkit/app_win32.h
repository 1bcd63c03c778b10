// Application-wide services of the host's window toolkit: the argument
// string, the program folder, the screen's twips, the mouse pointer, the
// message box, starting a program, and the end of the host.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace vantrel::toolkit {

// The command line after the program's own name, blanks before it dropped.
std::wstring App_Arguments();

// The folder of the host's file, without a trailing "\" except at a drive
// root ("C:\").
std::wstring App_Path();

// Twips per screen pixel, from the screen's logical dots per inch.
double Twips_Per_Pixel_X();
double Twips_Per_Pixel_Y();

enum class MousePointer { kDefault, kHourglass };
// Applies to every window of the host until changed again.
void Set_Mouse_Pointer(MousePointer pointer);
MousePointer Mouse_Pointer();

// A modal message box without owner; returns the button pressed.
int Message_Box(const std::wstring& text, const std::wstring& caption, UINT type);

// Starts a program by path, without arguments and without waiting, in the
// given window state; the process identifier, 0 when the start failed.
uint32_t Start_Program(const std::wstring& path, int show_command);

// Ends the host at once: windows that still exist go without their events.
[[noreturn]] void End_Host();

// Runs the message loop until the last form has gone; the exit code.
int Run_Message_Loop();

// Called by forms as they come and go; the loop ends with the last one.
void App_Form_Loaded();
void App_Form_Gone();

// For platform results that the host deliberately does not look at.
template <typename T>
inline void Ignore_Result(T&&) {}

}  // namespace vantrel::toolkit
