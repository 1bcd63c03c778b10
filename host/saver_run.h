// The saver window Yarrin_S: writes the two texture pictures, starts the
// renderer, drives the music, and ends the host once the renderer's window
// has gone. The window itself is the shell's; this is its behaviour.
#pragma once

#include <cstdint>
#include <string>

#include "host_wide.h"
#include "music/yarrin_bgm.h"
#include "path_rules.h"
#include "shared_names.h"

namespace vantrel::host {


enum class SaverPicture { kPic1, kPic2 };  // globe, glow
enum class SaverTimer { kTimer1, kTimer2, kTimer3 };  // MP3 poll, CD poll, renderer watch

inline constexpr uint32_t kTimer1IntervalMs = 1000;
inline constexpr uint32_t kTimer2IntervalMs = 200;
inline constexpr uint32_t kTimer3IntervalMs = 500;
// How long a started renderer may take to show its window: a busy machine or
// a virus scanner checking the new program can hold it back for seconds.
inline constexpr uint64_t kRendererStartGraceMs = 15000;

class SaverShell {
 public:
  virtual ~SaverShell() = default;
  // Writes the picture box's image to a bitmap file; true when it was written.
  virtual bool SavePicture(SaverPicture picture, const std::wstring& path) = 0;
  virtual FilePort& Files() = 0;
  // Starts the renderer by path with SW_SHOWNORMAL, without waiting; false
  // when it could not be started.
  virtual bool StartRenderer(const std::wstring& path) = 0;
  // Whether the process that StartRenderer started is still running.
  virtual bool RendererRunning() = 0;
  // A monotonic clock in milliseconds.
  virtual uint64_t Milliseconds() = 0;
  virtual bool WindowTitled(const std::wstring& title) = 0;
  virtual void SetTimerEnabled(SaverTimer timer, bool enabled) = 0;
  virtual void ShowCursor() = 0;
  // Unloads the saver window, which runs its query-unload handler.
  virtual void Unload() = 0;
  virtual void EndHost() = 0;
};

class Yarrin_S {
 public:
  Yarrin_S(SaverShell& shell, Yarrin_BGM& music, const HostWide& settings,
           std::wstring program_folder, std::wstring mode_letter);

  void Form_Load();
  void Timer1_Timer();
  void Timer2_Timer();
  void Timer3_Timer();
  // Never refuses the unload; ends the host.
  void Form_QueryUnload();

  bool TimerEnabled(SaverTimer timer) const;

 private:
  void SaveTexture(SaverPicture picture, const char* name);
  void SetTimer(SaverTimer timer, bool enabled);

  SaverShell& shell_;
  Yarrin_BGM& music_;
  const HostWide& settings_;
  const std::wstring program_folder_;
  const std::wstring mode_letter_;
  bool timer_enabled_[3] = {false, false, true};
  uint64_t started_ms_ = 0;
  bool renderer_seen_ = false;  // its window has been found once
};

}  // namespace vantrel::host
