// The host-wide values: the music settings read
// from the settings file and the point the settings dialog zooms from. One
// instance lives for the host process (made in WinMain, startup_win32.cpp).
#pragma once

#include <cstdint>
#include <string>

namespace vantrel::host {

// The music kind, stored as a 16-bit number in the settings file. A stored
// number other than these three also means no music; it is kept as read, so
// that a Set without a new choice writes it back unchanged.
enum class MusicKind : int16_t { kNone = 0, kCd = 1, kFile = 2 };

struct HostWide {
  MusicKind BGM_Kind = MusicKind::kNone;
  int16_t BGM_RepeatTrack = 0;  // CD track to repeat, 0 = none
  std::wstring BGM_File;        // full path of the sound file, empty = none
  std::wstring BGM_Dir;         // folder the file chooser opens in; not stored
  int16_t Zoom_X = 0;           // screen point the settings dialog grows from
  int16_t Zoom_Y = 0;
};

}  // namespace vantrel::host
