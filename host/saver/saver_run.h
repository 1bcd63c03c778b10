// The saver run: writes the two texture pictures, starts the renderer, drives
// the music, and ends the host once the renderer's window has gone. The
// hidden saver window is the shell's; this is its behaviour.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "music/music_player.h"
#include "settings/host_wide.h"
#include "texture_files.h"

namespace vantrel::host {

// The hidden saver window's title, by which a second start finds a run.
inline constexpr const wchar_t* kSaverWindowTitle = L"Yarrin_Main";

enum class SaverTimer { kMp3Poll, kCdPoll, kRendererWatch };

inline constexpr uint32_t kMp3PollIntervalMs = 1000;
inline constexpr uint32_t kCdPollIntervalMs = 200;
inline constexpr uint32_t kRendererWatchIntervalMs = 500;
// How long a started renderer may take to show its window: a busy machine or
// a virus scanner checking the new program can hold it back for seconds.
inline constexpr uint64_t kRendererStartGraceMs = 15000;

// A top-level window as the saver run sees it: the platform's handle, and the
// process that made the window.
struct ProcessWindow {
  uintptr_t handle = 0;
  uint32_t process_id = 0;
};

class SaverShell {
 public:
  virtual ~SaverShell() = default;
  // Writes the image of the picture box that holds `file` as that texture
  // file (Save_Texture_File); true when it was written.
  virtual bool SaveTexture(TextureFile file) = 0;
  // Shows the black backdrop over every monitor, topmost from the start,
  // and takes it away, giving the desktop back.
  virtual void ShowBackdrop() = 0;
  virtual void RemoveBackdrop() = 0;
  // Starts the renderer by path with SW_SHOWNORMAL, without waiting, and
  // passes it the right to take the foreground, which the renderer then
  // keeps (foreground_win32.h); false when it could not be started.
  virtual bool StartRenderer(const std::wstring& path) = 0;
  // Whether the process that StartRenderer started is still running, and its
  // id (0 when none was started).
  virtual bool RendererRunning() = 0;
  virtual uint32_t RendererProcessId() = 0;
  // A monotonic clock in milliseconds.
  virtual uint64_t Milliseconds() = 0;
  virtual std::vector<ProcessWindow> WindowsTitled(const std::wstring& title) = 0;
  // Lifts the renderer's window and, just below it, the backdrop above
  // every other window, the taskbar included.
  virtual void LiftRendererAndBackdrop(uintptr_t renderer) = 0;
  virtual void SetTimerEnabled(SaverTimer timer, bool enabled) = 0;
  virtual void ShowCursor() = 0;
  // Unloads the saver window, which runs its query-unload handler.
  virtual void Unload() = 0;
  virtual void EndHost() = 0;
};

class SaverRun {
 public:
  // `cursor_hidden`: start-up hid the cursor, and the end shows it again.
  SaverRun(SaverShell& shell, MusicPlayer& music, const HostWide& settings,
           std::wstring program_folder, bool cursor_hidden);

  void Form_Load();
  void Mp3PollTimer_Tick();
  void CdPollTimer_Tick();
  void RendererWatchTimer_Tick();
  // The renderer's process has ended: the watch looks at once, so that the
  // desktop comes back with the scene, not at the next tick.
  void RendererProcess_Ended();
  // Never refuses the unload; gives the desktop back first, then stops the
  // music and ends the host.
  void Form_QueryUnload();

  bool TimerEnabled(SaverTimer timer) const;

 private:
  // Starts or stops the sound file's player, chosen by the file's type.
  void SoundFile(bool start);
  void SetTimer(SaverTimer timer, bool enabled);
  // Lifts the renderer's window the first time it is seen.
  void LiftRenderer(const std::vector<ProcessWindow>& titled);

  SaverShell& shell_;
  MusicPlayer& music_;
  const HostWide& settings_;
  const std::wstring program_folder_;
  const bool cursor_hidden_;
  bool timer_enabled_[3] = {false, false, true};
  uint64_t started_ms_ = 0;
  bool renderer_seen_ = false;  // a window of its title has been found once
  bool lifted_ = false;         // the renderer's own window has been lifted
};

}  // namespace vantrel::host
