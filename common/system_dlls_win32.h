// Where both programs take their DLLs from: the system folder only.
//
// Windows looks in a program's own folder first for every DLL outside its
// KnownDLLs list (winmm, opengl32, glu32, msimg32, oleacc, and what system
// DLLs load for us: uxtheme, dwmapi...). A program unpacked into Downloads
// would run whatever DLL of such a name lies beside it.
//
// - Use_System_Dlls_Only, the first call of each WinMain, limits every later
//   load of the process, ours and the system DLLs' alike, to the system folder.
// - The import tables name KnownDLLs only; every other DLL is delay-loaded
//   (cmake/delay_import.cmake), so it loads after that call.
// - A delay-loaded DLL or function that cannot be found is told in a message
//   box, and the process ends with ERROR_MOD_NOT_FOUND or
//   ERROR_PROC_NOT_FOUND as its exit code, in place of the unhandled
//   exception the delay-load helper would raise.
#pragma once

#include <windows.h>
// windows.h first: delayimp.h uses its types.
#include <delayimp.h>

namespace vantrel {

// `caption`: the program's message-box caption; it must outlive the process.
void Use_System_Dlls_Only(const wchar_t* caption);

// Loads a delay-loaded DLL and binds all its functions now. The stub that
// loads it at a function's first call keeps only the integer argument
// registers, so a first call with float or double arguments would lose them.
// `descriptor`: the delay-import library's __DELAY_IMPORT_DESCRIPTOR_ symbol
// (cmake/delay_import.cmake); the linker fills no directory of them in which
// the runtime's __HrLoadAllImportsForDll could look a DLL up by name.
void Bind_Delay_Loaded_Dll(const ImgDelayDescr& descriptor);

}  // namespace vantrel
