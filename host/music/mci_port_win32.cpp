#include "music/mci_port_win32.h"

#include <windows.h>
#include <mmsystem.h>

#include <vector>

#include "toolkit/ansi_text_win32.h"
#include "toolkit/ignore_result.h"

namespace vantrel::host {

using toolkit::From_Ansi_Buffer;
using toolkit::Ignore_Result;
using toolkit::To_Ansi;

uint32_t Win32MciPort::SendString(const std::wstring& command, std::wstring* reply,
                                  size_t capacity) {
  if (!reply) return mciSendStringA(To_Ansi(command).c_str(), nullptr, 0, nullptr);
  std::vector<char> buffer(capacity, '\0');
  const MCIERROR code = mciSendStringA(To_Ansi(command).c_str(), buffer.data(),
                                       static_cast<UINT>(buffer.size()), nullptr);
  *reply = From_Ansi_Buffer(buffer.data(), buffer.size());
  return code;
}

bool Win32MciPort::GetErrorString(uint32_t code, std::wstring& text, size_t capacity) {
  std::vector<char> buffer(capacity, '\0');
  if (!mciGetErrorStringA(code, buffer.data(), static_cast<UINT>(buffer.size()))) return false;
  text = From_Ansi_Buffer(buffer.data(), buffer.size());
  return true;
}

uint32_t Win32MciPort::WaveOutDeviceCount() { return waveOutGetNumDevs(); }

void Win32MciPort::PlaySoundFile(const std::wstring* name, uint32_t flags) {
  if (!name) {
    Ignore_Result(PlaySoundA(nullptr, nullptr, flags));
    return;
  }
  Ignore_Result(PlaySoundA(To_Ansi(*name).c_str(), nullptr, flags));
}

}  // namespace vantrel::host
