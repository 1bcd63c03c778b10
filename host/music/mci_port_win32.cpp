#include "music/mci_port_win32.h"

#include <windows.h>
#include <mmsystem.h>

#include <vector>

#include "toolkit/ignore_result.h"

namespace vantrel::host {

using toolkit::Ignore_Result;

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
  Ignore_Result(PlaySoundW(name ? name->c_str() : nullptr, nullptr, flags));
}

}  // namespace vantrel::host
