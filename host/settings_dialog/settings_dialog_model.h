// The settings dialog without its windows: the load in its order,
// selecting a music kind, the chosen sound file, Set, Cancel, the link's
// press and release, where the focus comes back to, the texts of the track
// box, the background gradients and the placement on the screen. Portable;
// it drives a DialogView, which settings_dialog_win32.cpp implements.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/host_wide.h"
#include "settings/settings_file.h"
#include "vantrel_version.h"

namespace vantrel::host {

// The dialog's title, by which a second start finds it open.
inline constexpr const wchar_t* kSettingsDialogTitle = L"<Vantrel>";

// The dialog's own texts; the kinds' captions are in kind_choice.h.
inline constexpr const wchar_t* kRepeatCaption = L"曲目をﾘﾋﾟｰﾄ";
inline constexpr const wchar_t* kHeadingCaption = L"BGM";
inline constexpr const wchar_t* kSetCaption = L"設定";
inline constexpr const wchar_t* kCancelCaption = L"ｷｬﾝｾﾙ";
inline constexpr const wchar_t* kFileButtonCaption = L"...";
// What screen readers call the "..." button.
inline constexpr const wchar_t* kFileButtonName = L"BGMﾌｧｲﾙを選ぶ";
inline constexpr const wchar_t* kChooserFilterName = L"BGMﾌｧｲﾙ (MP3 WAV)";
inline constexpr const wchar_t* kChooserFilterPattern = L"*.MP3;*.WAV";
inline constexpr const wchar_t* kChooserTitle = L"ﾌｧｲﾙを開く";
// Shown when the settings file cannot hold the chosen file's name.
inline constexpr const wchar_t* kFileNotStoredText =
    L"このﾌｧｲﾙ名は保存できないため、前の選択のままです";
// Shown when Set could write the settings nowhere that the next start reads.
inline constexpr const wchar_t* kNotSavedText = L"設定を保存できませんでした";
// The link: the project's address, set in the top CMakeLists.txt.
inline constexpr const wchar_t* kLinkAddress = L"" VANTREL_ABOUT_URL;
inline constexpr const wchar_t* kCreditLine =
    L"Vantrel " VANTREL_VERSION L"  (C) the Vantrel developers";

inline constexpr int kRepeatEntries = 31;  // 0 to 30

// The "##" pattern: no leading zeros and nothing at all for 0.
std::wstring Hash_Hash(long value);
// The drop-down list of the repeat box: "", "1" .. "30".
std::vector<std::wstring> Repeat_List();

// The track that Set takes from the repeat box's text: a number rounded to
// the nearest whole number, halves to the even neighbour; 0 for a text
// that is not a number. A number outside -32768..32767 is limited to the
// nearest end of that range, so no value outside it is ever written.
int16_t Track_From_Text(const std::wstring& text);

// The file chooser returned `path`, stored as `stored`: the file and the
// chooser's next folder.
void Take_Chosen_File(HostWide& host, const std::wstring& path, const std::wstring& stored);

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

// The dialog's controls that take the keyboard focus, by their roles.
enum class DialogControl { kNone, kKinds, kRepeat, kFileButton, kSet, kCancel };

enum class DialogPointer { kDefault, kHourglass };

struct ScreenPoint {
  int32_t x, y;
};

// What the dialog's behaviour asks of its windows.
class DialogView {
 public:
  virtual ~DialogView() = default;
  // Centres the dialog across the screen, a third of the free height down.
  virtual void Place() = 0;
  virtual void InitializeButton(DialogControl button) = 0;
  virtual void SetButtonEnabled(DialogControl button, bool enabled) = 0;
  virtual void SetRepeatEnabled(bool enabled) = 0;
  virtual void SetRepeatText(const std::wstring& text) = 0;
  virtual void AddRepeatEntry(const std::wstring& entry) = 0;
  virtual std::wstring RepeatText() = 0;
  // The kinds' control shows `kind` as chosen.
  virtual void ShowKind(MusicKind kind) = 0;
  virtual void SetFileCaption(const std::wstring& path) = 0;
  // The dialog's one notice line; the empty text clears it.
  virtual void ShowNotice(const std::wstring& text) = 0;
  // The sound-file chooser, opening in `folder`; nothing when cancelled.
  virtual std::optional<std::wstring> ChooseSoundFile(const std::wstring& folder) = 0;
  virtual std::optional<ScreenPoint> CursorPosition() = 0;
  // The zoom between the point (Zoom_X, Zoom_Y) and the dialog's rectangle.
  virtual void ZoomOpen() = 0;
  virtual void ZoomClose() = 0;
  virtual void SetPointer(DialogPointer pointer) = 0;
  virtual bool PointerOverLink() = 0;
  // Keeps the mouse for the dialog wherever the pointer goes (true), so that
  // a release outside it still comes here, or lets it go (false).
  virtual void HoldPointer(bool hold) = 0;
  // Hands an address to the user's browser.
  virtual void OpenAddress(const std::wstring& address) = 0;
  virtual DialogControl FocusedControl() = 0;
  virtual void Focus(DialogControl control) = 0;
  // Unloads the dialog once the event being handled has returned.
  virtual void Close() = 0;
};

// The dialog's behaviour over the host-wide values, which it reads at load
// and changes as the user chooses; Set writes them to the settings file and
// closes, or stays open and says so when they could not be saved.
class SettingsDialog {
 public:
  SettingsDialog(DialogView& view, HostWide& host, ProfilePort& profile, FilePort& files,
                 std::wstring program_folder);

  void Form_Load();
  // The user chose a kind in the kinds' control, which shows it already.
  void Kind_Chosen(MusicKind kind);
  void FileButton_Click();
  void SetButton_Click();
  void CancelButton_Click() { view_.Close(); }
  void Form_Unload() { view_.ZoomClose(); }
  // The link opens on a left press and a left release both on it; the
  // dialog holds the mouse in between, and losing it ends the press.
  void Left_Pressed();
  void Left_Released();
  void Pointer_Lost() { link_pressed_ = false; }
  // The focus comes back to where it was when the dialog was left, and to
  // the kinds the first time.
  void Deactivated() { last_focus_ = view_.FocusedControl(); }
  void Activated();
  // A screen reader's default action on the link.
  void Link_Activated() { OpenLink(); }

 private:
  void Prepare_Buttons();
  void OpenLink();

  DialogView& view_;
  HostWide& host_;
  ProfilePort& profile_;
  FilePort& files_;
  const std::wstring program_folder_;
  bool link_pressed_ = false;
  DialogControl last_focus_ = DialogControl::kNone;
};

}  // namespace vantrel::host
