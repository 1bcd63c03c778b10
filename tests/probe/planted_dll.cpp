// A DLL the e2e tests place beside the programs under the names of system
// DLLs: as it loads it leaves "<its own path>.loaded", so a test sees
// whether a program took it instead of the system's. It exports nothing.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  wchar_t mark[MAX_PATH + 8];
  if (reason == DLL_PROCESS_ATTACH && GetModuleFileNameW(instance, mark, MAX_PATH) < MAX_PATH) {
    lstrcatW(mark, L".loaded");
    CloseHandle(CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
  return TRUE;
}
