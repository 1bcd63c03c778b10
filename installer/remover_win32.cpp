// The uninstaller's remover: deletes a program's file once that program has
// ended, without a shell and without a window. A running program's file cannot
// be deleted, so the uninstaller starts this as its last act:
//   remover.exe PROCESS_HANDLE "PATH" MUTEX
// PROCESS_HANDLE, inherited, is the uninstaller's own process; MUTEX the one
// that lets one setup or uninstaller run at a time, which the remover takes
// over as the uninstaller ends, so that a setup started at once waits until
// PATH and its folder are gone. PATH goes only while it is still the file it
// was at the start, and the remover stops as soon as it is gone; then PATH's
// folder goes where empty. The remover's own copy goes with it:
// the uninstaller opened it for delete on close, and this process inherits
// that handle and holds it to its end.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>

namespace {

// About 2 s for a file held for a moment (a virus scan, the indexer).
constexpr int kTries = 20;
constexpr DWORD kTryMs = 100;

struct FileId {
  DWORD volume = 0;
  DWORD high = 0;
  DWORD low = 0;
};

bool operator==(const FileId& a, const FileId& b) {
  return a.volume == b.volume && a.high == b.high && a.low == b.low;
}

// Attributes alone may be read whatever sharing the file's holder allowed.
HANDLE OpenForId(const wchar_t* path, DWORD access) {
  return CreateFileW(path, access | FILE_READ_ATTRIBUTES,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     0, nullptr);
}

bool IdOf(HANDLE file, FileId* id) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file, &info)) return false;
  *id = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
  return true;
}

// true once PATH is gone or holds another file than `was`.
bool DeleteIfSame(const wchar_t* path, const FileId& was) {
  HANDLE file = OpenForId(path, DELETE);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  FileId now;
  bool done = !IdOf(file, &now) || !(now == was);
  if (!done) {
    FILE_DISPOSITION_INFO dispose{TRUE};
    done = SetFileInformationByHandle(file, FileDispositionInfo, &dispose, sizeof dispose);
  }
  CloseHandle(file);
  return done;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // It runs from %TEMP%, where any DLL may lie: whatever loads later comes
  // from the system folder only. Its imports are KnownDLLs.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc != 4) return 2;
  const auto process = reinterpret_cast<HANDLE>(std::wcstoull(argv[1], nullptr, 10));
  const std::wstring path = argv[2];
  FileId id;
  HANDLE file = OpenForId(path.c_str(), 0);
  const bool known = file != INVALID_HANDLE_VALUE && IdOf(file, &id);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  // Held until this process ends; abandoned by the uninstaller as it ends.
  if (HANDLE one_at_a_time = OpenMutexW(SYNCHRONIZE, FALSE, argv[3])) {
    WaitForSingleObject(one_at_a_time, INFINITE);
  }
  if (!known || WaitForSingleObject(process, INFINITE) != WAIT_OBJECT_0) return 2;
  bool gone = DeleteIfSame(path.c_str(), id);
  for (int i = 1; i < kTries && !gone; ++i) {
    Sleep(kTryMs);
    gone = DeleteIfSame(path.c_str(), id);
  }
  RemoveDirectoryW(path.substr(0, path.find_last_of(L'\\')).c_str());
  return gone ? 0 : 1;
}
