// Background music of a saver run: an audio CD through the MCI device
// "cdaudio", an MP3 file under the MCI alias "MP3Play", a WAV file through
// PlaySound. Every failure is silent; results are kept only where a later
// step looks at them.
#pragma once

#include <cstdint>
#include <string>

#include "settings/host_wide.h"

namespace vantrel::host {

// The multimedia calls of the platform, texts in the host's own form.
class MciPort {
 public:
  virtual ~MciPort() = default;
  // mciSendString without a callback window. With `reply`, a buffer of
  // `capacity` characters is passed and `reply` receives its text before the
  // first NUL; without it no buffer is passed.
  virtual uint32_t SendString(const std::wstring& command, std::wstring* reply,
                              size_t capacity) = 0;
  // mciGetErrorString into a buffer of `capacity` characters.
  virtual bool GetErrorString(uint32_t code, std::wstring& text, size_t capacity) = 0;
  virtual uint32_t WaveOutDeviceCount() = 0;
  // PlaySound(name, NULL, flags); no name stops any sound it plays.
  virtual void PlaySoundFile(const std::wstring* name, uint32_t flags) = 0;
};

inline constexpr uint32_t kSoundAsync = 0x0001;      // SND_ASYNC
inline constexpr uint32_t kSoundLoop = 0x0008;       // SND_LOOP
inline constexpr uint32_t kSoundNoDefault = 0x0002;  // SND_NODEFAULT

inline constexpr const wchar_t* kNoCommandText = L"コマンド文字列が指定されていません";
inline constexpr const wchar_t* kNoErrorText = L"Error (文字列が取れません)";

// Which player a sound file goes to, by the last three characters of its
// name, upper-cased.
enum class SoundFileType { kWav, kMp3, kOther };
SoundFileType Sound_File_Type(const std::wstring& file);

class MusicPlayer {
 public:
  MusicPlayer(MciPort& mci, const HostWide& settings) : mci_(mci), settings_(settings) {}

  void Cd_Open();
  void Cd_Stop();
  // Starts the disc when the device stands still and keeps a repeat track
  // playing; clears Cd_KeepPolling when the device fails.
  void Cd_Poll();

  void Mp3_Start();
  bool Mp3_IsPlaying();
  void Mp3_Poll();
  void Mp3_Stop();

  void Wav_Start();
  void Wav_Stop();

  // Sends `command`; `text` receives the reply or the error text.
  int32_t Mci_Command(const std::wstring& command, std::wstring& text);
  // The reply of `command`, or "Error:" and the code.
  std::wstring Mci_Query(const std::wstring& command);
  // "play" for `device`, from `from` when it is not empty.
  int32_t Mci_Play(const std::wstring& device, const std::wstring& from);

  bool Cd_KeepPolling() const { return cd_keep_polling_; }

 private:
  // Cd_Poll's steps; false where the routine meets a runtime failure.
  bool PollCdDevice();

  MciPort& mci_;
  const HostWide& settings_;
  bool cd_keep_polling_ = false;
  std::wstring mci_last_text_;
};

}  // namespace vantrel::host
