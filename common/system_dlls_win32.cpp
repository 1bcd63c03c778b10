#include "system_dlls_win32.h"

#include <string>

// Both from the MinGW-w64 runtime and linker; no header declares them.
extern "C" IMAGE_DOS_HEADER __ImageBase;
extern "C" FARPROC WINAPI __delayLoadHelper2(PCImgDelayDescr descriptor, FARPROC* entry);

namespace vantrel {
namespace {

const wchar_t* message_caption = L"Vantrel";

// The DLL's and the function's names are ASCII.
std::wstring Wide(const char* text) { return std::wstring(text, text + lstrlenA(text)); }

std::wstring FunctionName(const DelayLoadProc& function) {
  if (function.fImportByName) return Wide(function.szProcName);
  return L"#" + std::to_wstring(function.dwOrdinal);
}

// The delay-load helper's failure hook. It does not return: the program
// cannot go on without the call it was about to make.
FARPROC WINAPI DelayLoadFailed(unsigned notice, PDelayLoadInfo info) {
  std::wstring text = Wide(info->szDll);
  UINT exit_code = ERROR_MOD_NOT_FOUND;
  if (notice == dliFailGetProc) {
    text += L" に " + FunctionName(info->dlp) + L" が見つかりません！";
    exit_code = ERROR_PROC_NOT_FOUND;
  } else {
    text += L" を読み込めません！";
  }
  // Topmost: a saver run's backdrop covers every other window.
  MessageBoxW(nullptr, text.c_str(), message_caption,
              MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND);
  // No destructor or exit handler of ours runs in the state we are in;
  // a saver run's renderer ends with the host through its job object.
  TerminateProcess(GetCurrentProcess(), exit_code);
  return nullptr;
}

}  // namespace

void Use_System_Dlls_Only(const wchar_t* caption) {
  message_caption = caption;
  // Present since Windows 8 (and Windows 7 with KB2533623); the result is
  // not looked at: there is no safer order to fall back on.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

void Bind_Delay_Loaded_Dll(const ImgDelayDescr& descriptor) {
  // The helper binds one entry per call, the way a first call through the
  // stub would; a DLL or function that cannot be found goes to
  // DelayLoadFailed. The entries end with a null one.
  auto* base = reinterpret_cast<BYTE*>(&__ImageBase);
  for (auto* entry = reinterpret_cast<FARPROC*>(base + descriptor.rvaIAT); *entry; ++entry) {
    __delayLoadHelper2(&descriptor, entry);
  }
}

}  // namespace vantrel

// The helper calls this hook when a DLL or function cannot be found. Defined
// here, in the file each WinMain calls into, so the linker takes it in place
// of the runtime's empty one.
extern "C" {
PfnDliHook __pfnDliFailureHook2 = vantrel::DelayLoadFailed;
}
