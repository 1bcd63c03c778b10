#include "saver_run.h"

#include <utility>

#include "startup.h"
#include "toolkit/ignore_result.h"

namespace vantrel::host {

Yarrin_S::Yarrin_S(SaverShell& shell, Yarrin_BGM& music, const HostWide& settings,
                   std::wstring program_folder, std::wstring mode_letter)
    : shell_(shell),
      music_(music),
      settings_(settings),
      program_folder_(std::move(program_folder)),
      mode_letter_(std::move(mode_letter)) {}

bool Yarrin_S::TimerEnabled(SaverTimer timer) const {
  return timer_enabled_[static_cast<int>(timer)];
}

void Yarrin_S::SetTimer(SaverTimer timer, bool enabled) {
  timer_enabled_[static_cast<int>(timer)] = enabled;
  shell_.SetTimerEnabled(timer, enabled);
}

// The texture files go to the root of C:, or, where the user may not write
// there, to the same names in their local Vantrel folder, where the renderer
// looks next.
void Yarrin_S::SaveTexture(SaverPicture picture, const char* name) {
  if (shell_.SavePicture(picture, Wide_Name(kTextureFolder) + Wide_Name(name))) return;
  const std::wstring folder = User_Folder(shell_.Files(), AppDataFolder::kLocal, true);
  if (!folder.empty()) toolkit::Ignore_Result(shell_.SavePicture(picture, folder + Wide_Name(name)));
}

void Yarrin_S::Form_Load() {
  started_ms_ = shell_.Milliseconds();
  // The textures are on disk before the renderer starts and reads them.
  SaveTexture(SaverPicture::kPic1, kGlobeTextureName);
  SaveTexture(SaverPicture::kPic2, kGlowTextureName);
  // Whether it started shows later: a renderer that never ran is not running.
  toolkit::Ignore_Result(shell_.StartRenderer(Program_Path(program_folder_, Wide_Name(kRendererFileName))));

  if (settings_.BGM_Kind == kMusicCd) {
    music_.Cd_Open();
    SetTimer(SaverTimer::kTimer2, true);
  }
  if (settings_.BGM_Kind == kMusicFile) {
    switch (Sound_File_Type(settings_.BGM_File)) {
      case SoundFileType::kWav:
        music_.Wav_Start();
        break;
      case SoundFileType::kMp3:
        music_.Mp3_Start();
        SetTimer(SaverTimer::kTimer1, true);  // also when the start failed
        break;
      case SoundFileType::kOther:
        break;
    }
  }
}

void Yarrin_S::Timer1_Timer() { music_.Mp3_Poll(); }

void Yarrin_S::Timer2_Timer() {
  music_.Cd_Poll();
  SetTimer(SaverTimer::kTimer2, music_.Cd_KeepPolling() != kHostFalse);
}

void Yarrin_S::Timer3_Timer() {
  if (shell_.WindowTitled(Wide_Name(kRendererWindowTitle))) {
    renderer_seen_ = true;
    return;
  }
  // A renderer still starting up keeps the run, for a while; once its window
  // has been seen, its absence means the renderer has ended.
  if (!renderer_seen_ && shell_.RendererRunning() &&
      shell_.Milliseconds() - started_ms_ < kRendererStartGraceMs) {
    return;
  }
  SetTimer(SaverTimer::kTimer3, false);
  shell_.Unload();
}

void Yarrin_S::Form_QueryUnload() {
  if (TimerEnabled(SaverTimer::kTimer2)) {
    SetTimer(SaverTimer::kTimer2, false);
    music_.Cd_Stop();
  }
  if (settings_.BGM_Kind == kMusicFile) {
    switch (Sound_File_Type(settings_.BGM_File)) {
      case SoundFileType::kWav:
        music_.Wav_Stop();
        break;
      case SoundFileType::kMp3:
        SetTimer(SaverTimer::kTimer1, false);
        music_.Mp3_Stop();
        break;
      case SoundFileType::kOther:
        break;
    }
  }
  if (mode_letter_ == L"S") shell_.ShowCursor();
  shell_.EndHost();
}

}  // namespace vantrel::host
