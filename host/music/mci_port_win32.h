// The music player's platform port on Win32: MCI command strings, the
// wave output devices and PlaySound, through the wide calls.
#pragma once

#include <cstdint>
#include <vector>

#include "music/music_player.h"

namespace vantrel::host {

class Win32MciPort final : public MciPort {
 public:
  uint32_t SendString(const std::wstring& command, std::wstring* reply, size_t capacity) override;
  bool GetErrorString(uint32_t code, std::wstring& text, size_t capacity) override;
  uint32_t WaveOutDeviceCount() override;
  void PlaySoundFile(const std::wstring* name, uint32_t flags) override;

 private:
  // The host's threads before a sound began, under Wine only (see the
  // workaround in the .cpp); empty otherwise.
  std::vector<uint32_t> threads_before_sound_;
};

}  // namespace vantrel::host
