// The user's application-data folders, where a standard user may write what
// the root of C: and the program folder refuse.
#pragma once

#include <string>

namespace vantrel {

// Local to the machine, or roaming with the user.
enum class AppDataFolder { kLocal, kRoaming };

// The folder as the shell names it (found through the shell, not the
// environment: neither program takes configuration from environment
// variables), made first when `create` is true; empty when there is none.
// Wide, since a user's name may hold characters outside the ANSI code page.
// Windows only.
std::wstring App_Data_Folder(AppDataFolder which, bool create);

// Makes one folder; true when a folder (not a file) is there afterwards.
// Windows only.
bool Make_Folder(const std::wstring& path);

// Vantrel's own folder inside an application-data folder; empty without one.
// Both programs join it here and nowhere else.
inline std::wstring Vantrel_Folder(const std::wstring& app_data) {
  return app_data.empty() ? std::wstring() : app_data + L"\\Vantrel";
}

}  // namespace vantrel
