// Titles by which the host's windows find each other: a start finds a
// running saver run or settings dialog by them and ends at once.
#pragma once

namespace vantrel::host {

inline constexpr const wchar_t* kSaverWindowTitle = L"Yarrin_Main";
inline constexpr const wchar_t* kSettingsDialogTitle = L"<Vantrel>";

}  // namespace vantrel::host
