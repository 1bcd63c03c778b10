// The settings dialog Yarrin_P without its windows: which controls a music
// kind enables, the texts of the track box, what Set writes, the choice of
// a sound file, the background gradients and the placement on the screen.
// Portable; yarrin_p_win32.cpp shows it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "host_wide.h"
#include "settings_file.h"
#include "vantrel_version.h"

namespace vantrel::host {

// The dialog's own texts.
inline constexpr const wchar_t* kKindCaptions[3] = {L"なし", L"音楽CD", L"MP3、WAV"};
inline constexpr const wchar_t* kRepeatCaption = L"曲目をﾘﾋﾟｰﾄ";
inline constexpr const wchar_t* kHeadingCaption = L"BGM";
inline constexpr const wchar_t* kSetCaption = L"設定";
inline constexpr const wchar_t* kCancelCaption = L"ｷｬﾝｾﾙ";
inline constexpr const wchar_t* kFileButtonCaption = L"...";
inline constexpr const wchar_t* kChooserFilterName = L"BGMﾌｧｲﾙ (MP3 WAV)";
inline constexpr const wchar_t* kChooserFilterPattern = L"*.MP3;*.WAV";
inline constexpr const wchar_t* kChooserTitle = L"ﾌｧｲﾙを開く";
// The link: a reserved example address, so that it can mislead no one.
inline constexpr const wchar_t* kLinkAddress = L"https://example.org/vantrel/";
inline constexpr const wchar_t* kCreditLine =
    L"Vantrel " VANTREL_VERSION L"  (C) the Vantrel developers";

inline constexpr int kRepeatEntries = 31;  // 0 to 30

// What a music kind shows: the repeat box enabled only for 1, the file
// button only for 2, the mark of the kind selected (none outside 0..2).
struct KindControls {
  bool repeat_enabled;
  bool file_enabled;
  std::array<bool, 3> mark_selected;
};
KindControls Kind_Controls(int16_t kind);

// The "##" pattern: no leading zeros and nothing at all for 0.
std::wstring Hash_Hash(long value);
// The drop-down list of the repeat box: "", "1" .. "30".
std::vector<std::wstring> Repeat_List();

// The track that Set takes from the repeat box's text: a number rounded to
// the nearest whole number, halves to the even neighbour; 0 for a text
// that is not a number. A number outside -32768..32767 is limited to the
// nearest end of that range, so no value outside it is ever written.
int16_t Track_From_Text(const std::wstring& text);

// Set: the three keys, every time, whatever the kind; the track is taken
// from `repeat_text` into host.BGM_RepeatTrack first. They go to
// "\Vantrel.ini" in the program folder; when a write there fails, all three
// go to the per-user settings file instead, and when they all succeed, a
// per-user file left from earlier is removed so that it cannot hide them.
void Write_Settings(HostWide& host, const std::wstring& repeat_text, ProfilePort& profile,
                    FilePort& files, const std::wstring& program_folder);

// The file chooser returned `path`: the file and the chooser's next folder.
void Take_Chosen_File(HostWide& host, const std::wstring& path);

// Brightness of each line y = 0 .. round(height) of a background gradient:
// |sin(y / (height / 3.142))| x 220, rounded half to even. Empty for a
// height of 0 or less.
std::vector<int> Gradient_Levels(double height);
// Line colours (0x00BBGGRR) of the window and of the panel.
inline uint32_t Window_Line_Colour(int c) {
  return static_cast<uint32_t>(c) | static_cast<uint32_t>(c) << 8 |
         static_cast<uint32_t>(c + 30) << 16;
}
inline uint32_t Panel_Line_Colour(int c) {
  const uint32_t v = static_cast<uint32_t>(c + 30);
  return v | v << 8 | v << 16;
}

// The dialog's left and top in twips: centred across the screen, one third
// of the free height from the top.
struct Placement {
  long left, top;
};
Placement Dialog_Placement(double screen_width, double screen_height, double window_width,
                           double window_height);

}  // namespace vantrel::host
