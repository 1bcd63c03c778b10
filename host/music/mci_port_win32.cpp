#include "music/mci_port_win32.h"

#include <windows.h>
#include <mmsystem.h>
#include <tlhelp32.h>

#include <algorithm>
#include <vector>

#include "toolkit/ignore_result.h"

namespace vantrel::host {

using toolkit::Ignore_Result;

namespace {

// Wine workaround. Wine's PlaySound stop returns once the device is closed,
// as Windows' does, but the thread that played the sound and winmm's device
// thread end a few milliseconds later; a process that ends while they are
// ending now and then dies of a segmentation fault (2 in 71 saver runs with
// a WAV without this wait, none in 320 with it). So under Wine the threads
// that were born while the sound played are waited for after its stop, each
// by its handle. Windows is left alone: there the host may end once the
// device is closed, and threads born meanwhile may be the system's own,
// which need not end at a stop.
constexpr DWORD kSoundThreadsLimitMs = 1000;  // a thread that does not end holds the end no longer

bool UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::vector<uint32_t> HostThreads() {
  std::vector<uint32_t> threads;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return threads;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) threads.push_back(entry.th32ThreadID);
  }
  CloseHandle(snapshot);
  return threads;
}

void AwaitThreadsBornSince(const std::vector<uint32_t>& before) {
  std::vector<HANDLE> born;
  for (uint32_t id : HostThreads()) {
    if (born.size() == MAXIMUM_WAIT_OBJECTS) break;  // the most one wait takes
    if (std::find(before.begin(), before.end(), id) != before.end()) continue;
    if (HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id)) born.push_back(thread);
  }
  if (!born.empty()) {
    Ignore_Result(WaitForMultipleObjects(static_cast<DWORD>(born.size()), born.data(), TRUE,
                                         kSoundThreadsLimitMs));
  }
  for (HANDLE thread : born) CloseHandle(thread);
}

}  // namespace

// Wide calls: a sound file's path may hold characters outside the ANSI code page.
uint32_t Win32MciPort::SendString(const std::wstring& command, std::wstring* reply,
                                  size_t capacity) {
  if (!reply) return mciSendStringW(command.c_str(), nullptr, 0, nullptr);
  std::vector<wchar_t> buffer(capacity + 1, L'\0');  // one more, so the text always ends
  const MCIERROR code =
      mciSendStringW(command.c_str(), buffer.data(), static_cast<UINT>(capacity), nullptr);
  *reply = buffer.data();
  return code;
}

bool Win32MciPort::GetErrorString(uint32_t code, std::wstring& text, size_t capacity) {
  std::vector<wchar_t> buffer(capacity + 1, L'\0');
  if (!mciGetErrorStringW(code, buffer.data(), static_cast<UINT>(capacity))) return false;
  text = buffer.data();
  return true;
}

uint32_t Win32MciPort::WaveOutDeviceCount() { return waveOutGetNumDevs(); }

void Win32MciPort::PlaySoundFile(const std::wstring* name, uint32_t flags) {
  if (name && UnderWine()) threads_before_sound_ = HostThreads();
  Ignore_Result(PlaySoundW(name ? name->c_str() : nullptr, nullptr, flags));
  if (!name && !threads_before_sound_.empty()) {
    AwaitThreadsBornSince(threads_before_sound_);
    threads_before_sound_.clear();
  }
}

}  // namespace vantrel::host
