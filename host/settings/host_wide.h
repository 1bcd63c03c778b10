// The host-wide values: the music settings read
// from the settings file and the point the settings dialog zooms from. One
// instance lives for the host process (made in WinMain, startup_win32.cpp).
#pragma once

#include <cstdint>
#include <string>

namespace vantrel::host {

// The music kinds of BGM_Kind; any other value means no music as well.
inline constexpr int16_t kMusicNone = 0;
inline constexpr int16_t kMusicCd = 1;
inline constexpr int16_t kMusicFile = 2;

struct HostWide {
  int16_t BGM_Kind = kMusicNone;  // kMusicCd, kMusicFile, other values no music
  int16_t BGM_RepeatTrack = 0;    // CD track to repeat, 0 = none
  std::wstring BGM_File;          // full path of the sound file, empty = none
  std::wstring BGM_Dir;           // folder the file chooser opens in; not stored
  int16_t Zoom_X = 0;             // screen point the settings dialog grows from
  int16_t Zoom_Y = 0;
};

// Host Booleans are 16-bit with true as -1.
using HostBool = int16_t;
constexpr HostBool kHostTrue = -1;
constexpr HostBool kHostFalse = 0;

}  // namespace vantrel::host
