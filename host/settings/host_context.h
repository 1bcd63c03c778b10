// What the host makes once where it starts (WinMain) and hands to the
// windows it opens: the host-wide values, the platform ports, and what the
// process was started with. Here, below start-up and the windows, so that
// each reaches it downwards.
#pragma once

#include <string>

#include "settings/host_wide.h"
#include "settings/path_rules.h"
#include "settings/settings_file.h"

namespace vantrel::host {

class MciPort;  // the music player's port, named only: the settings include no music

struct HostContext {
  HostWide& values;
  ProfilePort& profile;
  FilePort& files;
  MciPort& mci;
  std::wstring program_folder;  // without a trailing "\" except at a drive root
  std::wstring arguments;       // the screensaver argument string
};

}  // namespace vantrel::host
