#include "saver/saver_run.h"

#include <algorithm>
#include <utility>

#include "shared_names.h"
#include "toolkit/ignore_result.h"

namespace vantrel::host {

SaverRun::SaverRun(SaverShell& shell, MusicPlayer& music, const HostWide& settings,
                   std::wstring program_folder, bool cursor_hidden)
    : shell_(shell),
      music_(music),
      settings_(settings),
      program_folder_(std::move(program_folder)),
      cursor_hidden_(cursor_hidden) {}

bool SaverRun::TimerEnabled(SaverTimer timer) const {
  return timer_enabled_[static_cast<int>(timer)];
}

void SaverRun::SetTimer(SaverTimer timer, bool enabled) {
  timer_enabled_[static_cast<int>(timer)] = enabled;
  shell_.SetTimerEnabled(timer, enabled);
}

void SaverRun::Form_Load() {
  started_ms_ = shell_.Milliseconds();
  shell_.ShowBackdrop();
  // The textures are on disk before the renderer starts and reads them; one
  // that cannot be written does not stop the run.
  toolkit::Ignore_Result(shell_.SaveTexture(TextureFile::kGlobe));
  toolkit::Ignore_Result(shell_.SaveTexture(TextureFile::kGlow));
  // Whether it started shows later: a renderer that never ran is not running.
  toolkit::Ignore_Result(shell_.StartRenderer(Renderer_Path(program_folder_)));

  if (settings_.BGM_Kind == MusicKind::kCd) {
    music_.Cd_Open();
    SetTimer(SaverTimer::kCdPoll, true);
  }
  if (settings_.BGM_Kind == MusicKind::kFile) SoundFile(true);
}

void SaverRun::SoundFile(bool start) {
  switch (Sound_File_Type(settings_.BGM_File)) {
    case SoundFileType::kWav:
      start ? music_.Wav_Start() : music_.Wav_Stop();
      break;
    case SoundFileType::kMp3:
      if (start) {
        music_.Mp3_Start();
        SetTimer(SaverTimer::kMp3Poll, true);  // also when the start failed
      } else {
        SetTimer(SaverTimer::kMp3Poll, false);
        music_.Mp3_Stop();
      }
      break;
    case SoundFileType::kOther:  // plays nothing
      break;
  }
}

void SaverRun::Mp3PollTimer_Tick() { music_.Mp3_Poll(); }

void SaverRun::CdPollTimer_Tick() {
  music_.Cd_Poll();
  SetTimer(SaverTimer::kCdPoll, music_.Cd_KeepPolling());
}

// The watch follows the title alone: any window titled as the renderer's
// keeps the run going.
void SaverRun::RendererWatchTimer_Tick() {
  const std::vector<ProcessWindow> titled = shell_.WindowsTitled(Wide_Name(kRendererWindowTitle));
  if (!titled.empty()) {
    renderer_seen_ = true;
    LiftRenderer(titled);
    return;
  }
  // A renderer still starting up keeps the run, for a while; once its window
  // has been seen, its absence means the renderer has ended.
  if (!renderer_seen_ && shell_.RendererRunning() &&
      shell_.Milliseconds() - started_ms_ < kRendererStartGraceMs) {
    return;
  }
  SetTimer(SaverTimer::kRendererWatch, false);
  shell_.Unload();
}

void SaverRun::RendererProcess_Ended() {
  if (TimerEnabled(SaverTimer::kRendererWatch)) RendererWatchTimer_Tick();
}

// Only the window of the renderer this run started is lifted: another
// program's window may carry the same title. The renderer keeps the
// foreground itself, as it holds the right to.
void SaverRun::LiftRenderer(const std::vector<ProcessWindow>& titled) {
  if (lifted_) return;
  const uint32_t renderer = shell_.RendererProcessId();
  const auto ours = std::find_if(titled.begin(), titled.end(), [renderer](const ProcessWindow& w) {
    return renderer != 0 && w.process_id == renderer;
  });
  if (ours == titled.end()) return;
  lifted_ = true;
  shell_.LiftRendererAndBackdrop(ours->handle);
}

void SaverRun::Form_QueryUnload() {
  // The scene has gone: the desktop and the pointer come back before the
  // music's devices are closed.
  shell_.RemoveBackdrop();
  if (cursor_hidden_) shell_.ShowCursor();
  if (TimerEnabled(SaverTimer::kCdPoll)) {
    SetTimer(SaverTimer::kCdPoll, false);
    music_.Cd_Stop();
  }
  if (settings_.BGM_Kind == MusicKind::kFile) SoundFile(false);
  shell_.EndHost();
}

}  // namespace vantrel::host
