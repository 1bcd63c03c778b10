#include "music/music_player.h"

#include <cwctype>

#include "settings/number_text.h"
#include "toolkit/ignore_result.h"

namespace vantrel::host {
namespace {

constexpr size_t kReplyChars = 512;      // Mci_Reply
constexpr size_t kErrorTextChars = 256;  // Mci_ErrorText
constexpr size_t kCdModeChars = 255;     // Cd_Mode
constexpr size_t kMp3ModeChars = 30;     // Mp3_Mode

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

bool ContainsErr(const std::wstring& reply) {
  return Upper(reply).find(L"ERR") != std::wstring::npos;
}

// The mode replies are compared on the first 7 characters of their buffer;
// a shorter reply leaves its NUL inside those 7 and never matches.
bool ModeIs(const std::wstring& reply, const wchar_t (&word)[8]) {
  return reply.size() >= 7 && reply.compare(0, 7, word) == 0;
}

// Sends a command whose result no step looks at.
void Send(MciPort& mci, const std::wstring& command) {
  toolkit::Ignore_Result(mci.SendString(command, nullptr, 0));
}

}  // namespace

SoundFileType Sound_File_Type(const std::wstring& file) {
  const std::wstring extension = Upper(file.size() >= 3 ? file.substr(file.size() - 3) : file);
  if (extension == L"WAV") return SoundFileType::kWav;
  if (extension == L"MP3") return SoundFileType::kMp3;
  return SoundFileType::kOther;
}

int32_t MusicPlayer::Mci_Command(const std::wstring& command, std::wstring& text) {
  if (command.empty()) {
    text = kNoCommandText;
    return -1;
  }
  std::wstring reply;
  const uint32_t code = mci_.SendString(command, &reply, kReplyChars);
  if (code != 0) {
    std::wstring error;
    text = mci_.GetErrorString(code, error, kErrorTextChars) ? error : kNoErrorText;
    return static_cast<int32_t>(code);
  }
  text = reply;
  return 0;
}

std::wstring MusicPlayer::Mci_Query(const std::wstring& command) {
  const int32_t code = Mci_Command(command, mci_last_text_);
  if (code != 0) return L"Error:" + std::to_wstring(code);
  return mci_last_text_;
}

int32_t MusicPlayer::Mci_Play(const std::wstring& device, const std::wstring& from) {
  std::wstring command = L"play " + device;
  if (!from.empty()) command += L" from " + from;
  return Mci_Command(command, mci_last_text_);
}

void MusicPlayer::Cd_Open() {
  Send(mci_, L"open cdaudio");
  Send(mci_, L"set cdaudio time format tmsf");
}

// "wait": the device is stopped and closed when the commands return, so the
// host may end right after them.
void MusicPlayer::Cd_Stop() {
  Send(mci_, L"stop cdaudio wait");
  Send(mci_, L"close cdaudio wait");
}

void MusicPlayer::Cd_Poll() { cd_keep_polling_ = PollCdDevice(); }

bool MusicPlayer::PollCdDevice() {
  const std::wstring current = Mci_Query(L"status cdaudio current track");
  if (ContainsErr(current)) return false;
  const std::wstring count = Mci_Query(L"status cdaudio number of tracks");
  if (ContainsErr(count)) return false;

  std::wstring mode;
  toolkit::Ignore_Result(mci_.SendString(L"status cdaudio mode", &mode, kCdModeChars));
  const bool stopped = ModeIs(mode, L"stopped");

  const int16_t repeat = settings_.BGM_RepeatTrack;
  if (repeat != 0) {
    // The track number is converted even when the device is stopped, so a
    // reply that is not a number ends the polling either way.
    const auto number = Read_Whole_Number(current);
    if (!number) return false;
    const auto track = Round_To_Int16(*number);
    if (!track) return false;
    if (stopped || *track != repeat) {
      const std::wstring start =
          Mci_Query(L"status cdaudio position track " + std::to_wstring(repeat));
      Mci_Play(L"cdaudio", start);
    }
  } else if (stopped) {
    Mci_Play(L"cdaudio", L"");
  }
  return true;
}

void MusicPlayer::Mp3_Start() {
  const std::wstring open = L"open \"" + settings_.BGM_File + L"\" type MPEGVideo Alias MP3Play";
  if (mci_.SendString(open, nullptr, 0) == 0) Send(mci_, L"play MP3Play");
}

bool MusicPlayer::Mp3_IsPlaying() {
  std::wstring mode;
  toolkit::Ignore_Result(mci_.SendString(L"status MP3Play mode", &mode, kMp3ModeChars));
  return ModeIs(mode, L"playing");
}

void MusicPlayer::Mp3_Poll() {
  if (Mp3_IsPlaying()) return;
  Send(mci_, L"stop MP3Play");
  Send(mci_, L"play MP3Play from 0");
}

void MusicPlayer::Mp3_Stop() {
  Send(mci_, L"stop MP3Play wait");
  Send(mci_, L"close MP3Play wait");
}

void MusicPlayer::Wav_Start() {
  if (mci_.WaveOutDeviceCount() == 0) return;
  // Without SND_NODEFAULT a file that cannot be played gives the system's
  // default sound instead, looped for the whole run.
  mci_.PlaySoundFile(&settings_.BGM_File, kSoundAsync | kSoundLoop | kSoundNoDefault);
}

// Returns once the sound's device is closed.
void MusicPlayer::Wav_Stop() { mci_.PlaySoundFile(nullptr, 0); }

}  // namespace vantrel::host
