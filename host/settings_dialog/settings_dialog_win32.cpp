// The settings dialog on Win32: its designed controls (the kinds are one,
// kind_choice_win32.h), the view that the portable behaviour
// (settings_dialog_model.h) drives, the clicks its controls report as
// WM_COMMAND, and the two background gradients kept in the forms' images.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "button/button_win32.h"
#include "settings_dialog/kind_choice_win32.h"
#include "settings_dialog/settings_dialog.h"
#include "settings_dialog/settings_dialog_model.h"
#include "toolkit/accessible_win32.h"
#include "toolkit/app_win32.h"
#include "toolkit/controls_win32.h"
#include "toolkit/form_win32.h"
#include "toolkit/gdi_win32.h"
#include "toolkit/ignore_result.h"
#include "settings_dialog/zoom_win32.h"

namespace vantrel::host {
namespace {

using button::ButtonControl;
using toolkit::Ignore_Result;

constexpr UINT kUnloadMessage = WM_APP + 1;  // unload after the Click has returned
constexpr int kClientWidth = 7440;           // twips
constexpr int kClientHeight = 3645;
constexpr DWORD kDialogStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// The ids of the controls whose clicks the dialog hears as WM_COMMAND, beside
// IDOK (設定) and IDCANCEL (ｷｬﾝｾﾙ).
constexpr int kFileButtonId = 100;
constexpr int kKindsId = 101;

toolkit::FontDesign GothicFont() { return toolkit::FontDesign{}; }
toolkit::FontDesign TahomaFont() {
  return toolkit::FontDesign{L"Tahoma", 8.25, 400, ANSI_CHARSET, false};
}

// The outer size in twips of a dialog whose client area is 7440 x 3645.
SIZE OuterSizeTwips() {
  RECT outer{0, 0, toolkit::Screen_Pixels_X(kClientWidth), toolkit::Screen_Pixels_Y(kClientHeight)};
  Ignore_Result(AdjustWindowRectEx(&outer, kDialogStyle, FALSE, 0));
  return SIZE{toolkit::Screen_Twips_X(outer.right - outer.left),
              toolkit::Screen_Twips_Y(outer.bottom - outer.top)};
}

// The link's pointing hand, 32 x 32 monochrome, hot spot at the fingertip (12, 10).
bool InHand(int x, int y) {
  if (x >= 11 && x <= 14 && y >= 10 && y <= 22) return true;  // index finger
  if (y >= 16 && y <= 22 && x >= 15 && x <= 23) return true;  // the other fingers
  if (y >= 22 && y <= 29 && x >= 8 && x <= 23) return true;   // palm
  if (y >= 19 && y <= 24 && x >= 6 && x <= 10) return true;   // thumb
  return false;
}

HCURSOR MakeHandCursor() {
  BYTE and_mask[32 * 4], xor_mask[32 * 4];
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const int byte = y * 4 + x / 8;
      const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
      if (x % 8 == 0) and_mask[byte] = 0xFF, xor_mask[byte] = 0;
      if (!InHand(x, y)) continue;
      and_mask[byte] &= static_cast<BYTE>(~bit);  // opaque
      const bool edge =
          !InHand(x - 1, y) || !InHand(x + 1, y) || !InHand(x, y - 1) || !InHand(x, y + 1);
      if (!edge) xor_mask[byte] |= bit;  // white inside a black outline
    }
  }
  return CreateCursor(GetModuleHandleW(nullptr), 12, 10, 32, 32, and_mask, xor_mask);
}

toolkit::FormDesign DialogDesign() {
  toolkit::FormDesign design;
  design.caption = kSettingsDialogTitle;
  design.style = kDialogStyle;
  const SIZE outer = OuterSizeTwips();
  design.width = outer.cx;
  design.height = outer.cy;
  design.back_colour = RGB(192, 192, 192);
  design.icon = 1;
  return design;
}

// The tab stops inside it are the dialog's own.
toolkit::FormDesign PanelDesign() {
  toolkit::FormDesign design;
  design.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
  design.ex_style = WS_EX_CONTROLPARENT;
  design.left = 180;
  design.top = 240;
  design.width = 7035;
  design.height = 2475;
  design.back_colour = RGB(224, 224, 224);
  return design;
}

toolkit::LabelDesign Caption(const std::wstring& text, COLORREF colour = RGB(0, 0, 0),
                             bool auto_size = true) {
  toolkit::LabelDesign design;
  design.caption = text;
  design.colour = colour;
  design.auto_size = auto_size;
  return design;
}

toolkit::LabelDesign LinkDesign() {
  toolkit::LabelDesign design = Caption(kLinkAddress, RGB(255, 255, 255));
  design.font.underline = true;
  design.access = toolkit::AccessRole::kLink;
  return design;
}

toolkit::LabelDesign HeadingDesign() {
  toolkit::LabelDesign design = Caption(kHeadingCaption, RGB(0, 0, 0), false);
  design.alignment = DT_CENTER;
  return design;
}

// The chosen file's name: framed, wrapped over two lines.
toolkit::LabelDesign FileNameDesign() {
  toolkit::LabelDesign design = Caption(L"", RGB(0, 0, 0), false);
  design.border = true;
  design.word_wrap = true;
  return design;
}

void PaintGradient(toolkit::Form& area, uint32_t (*line_colour)(int)) {
  HDC dc = area.BeginDrawing();
  if (!dc) return;
  const int width = area.Image().Width();
  const std::vector<int> levels = Gradient_Levels(area.Image().Height());
  for (size_t y = 0; y < levels.size(); ++y) {
    HPEN pen = CreatePen(PS_SOLID, 1, line_colour(levels[y]));
    {
      toolkit::SelectedObject selected(dc, pen);
      MoveToEx(dc, 0, static_cast<int>(y), nullptr);
      LineTo(dc, width, static_cast<int>(y));
    }
    DeleteObject(pen);
  }
  area.EndDrawing();
}

RECT PixelsOf(int left, int top, int width, int height) {
  const int x = toolkit::Screen_Pixels_X(left), y = toolkit::Screen_Pixels_Y(top);
  return RECT{x, y, x + toolkit::Screen_Pixels_X(width), y + toolkit::Screen_Pixels_Y(height)};
}

class SettingsDialogWindow final : public toolkit::Form, private DialogView {
 public:
  explicit SettingsDialogWindow(HostContext& host);
  ~SettingsDialogWindow() override {
    if (hand_) DestroyCursor(hand_);
  }

 protected:
  void Form_Load() override;
  void Form_Resize() override { PaintGradients(); }
  void Form_Unload() override { dialog_.Form_Unload(); }
  bool Form_Message(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
  void Form_MouseDown(toolkit::MouseButton button) override {
    if (button == toolkit::MouseButton::kLeft) dialog_.Left_Pressed();
  }
  void Form_MouseUp(toolkit::MouseButton button) override {
    if (button == toolkit::MouseButton::kLeft) dialog_.Left_Released();
  }

 private:
  void PlaceElements();
  void CreateControls();
  void OnClicked(int id);
  void PaintGradients();
  HWND HandleOf(DialogControl control) const;
  ButtonControl* ButtonOf(DialogControl button);

  // DialogView
  void Place() override;
  void InitializeButton(DialogControl button) override;
  void SetButtonEnabled(DialogControl button, bool enabled) override;
  void SetRepeatEnabled(bool enabled) override { repeat_.SetEnabled(enabled); }
  void SetRepeatText(const std::wstring& text) override { repeat_.SetText(text); }
  void AddRepeatEntry(const std::wstring& entry) override { repeat_.AddItem(entry); }
  std::wstring RepeatText() override { return repeat_.Text(); }
  void ShowKind(MusicKind kind) override { kinds_.Show(kind); }
  void SetFileCaption(const std::wstring& path) override { file_name_.SetCaption(path); }
  void ShowNotice(const std::wstring& text) override { file_notice_.SetCaption(text); }
  std::optional<std::wstring> ChooseSoundFile(const std::wstring& folder) override;
  std::optional<ScreenPoint> CursorPosition() override;
  void ZoomOpen() override { Zoom_Open(Handle(), host_.values); }
  void ZoomClose() override { Zoom_Close(Handle(), host_.values); }
  void SetPointer(DialogPointer pointer) override;
  bool PointerOverLink() override;
  void HoldPointer(bool hold) override;
  void OpenAddress(const std::wstring& address) override;
  DialogControl FocusedControl() override;
  void Focus(DialogControl control) override { SetFocus(HandleOf(control)); }
  void Close() override { PostMessageW(Handle(), kUnloadMessage, 0, 0); }

  toolkit::PictureBox panel_;  // the framed area that holds the choices
  KindChoice kinds_;
  toolkit::Picture mark_unselected_, mark_selected_;
  // On the window; the two spare marks lie right of the visible client area.
  toolkit::Label credit_, link_;
  toolkit::Image spare_unselected_mark_, spare_selected_mark_;
  // In the panel.
  toolkit::Shape heading_frame_;
  toolkit::Label heading_, repeat_caption_, file_name_, file_notice_;
  toolkit::ComboBox repeat_;
  ButtonControl set_, cancel_, file_button_;
  HCURSOR hand_ = nullptr;
  HostContext& host_;
  SettingsDialog dialog_;
};

SettingsDialogWindow::SettingsDialogWindow(HostContext& host)
    : Form(DialogDesign()),
      panel_(*this, PanelDesign()),
      kinds_(panel_, kKindsId),
      mark_unselected_(toolkit::Picture::FromResource("MARK_UNSELECTED")),
      mark_selected_(toolkit::Picture::FromResource("MARK_SELECTED")),
      credit_(*this, Caption(kCreditLine, RGB(255, 255, 255))),
      link_(*this, LinkDesign()),
      spare_unselected_mark_(*this),
      spare_selected_mark_(*this),
      heading_frame_(panel_, RGB(0, 0, 0)),
      heading_(panel_, HeadingDesign()),
      repeat_caption_(panel_, Caption(kRepeatCaption)),
      file_name_(panel_, FileNameDesign()),
      file_notice_(panel_, Caption(L"", RGB(255, 255, 160), false)),
      repeat_(panel_, TahomaFont()),
      host_(host),
      dialog_(*this, host.values, host.profile, host.files, host.program_folder) {
  PlaceElements();
  spare_unselected_mark_.SetPicture(&mark_unselected_);
  spare_selected_mark_.SetPicture(&mark_selected_);
  link_.on_activate = [this] { dialog_.Link_Activated(); };
}

// The elements, at their designed places in twips.
void SettingsDialogWindow::PlaceElements() {
  const struct {
    toolkit::Element& element;
    int left, top, width, height;
  } places[] = {
      {credit_, 180, 2880, 2475, 195},
      {link_, 180, 3120, 3105, 195},
      {spare_unselected_mark_, 8040, 300, 180, 180},
      {spare_selected_mark_, 8040, 600, 180, 180},
      {heading_frame_, 300, 300, 1695, 315},
      {heading_, 300, 360, 1665, 195},
      {repeat_caption_, 2340, 840, 990, 195},
      {file_name_, 1080, 1740, 5595, 495},
      {file_notice_, 1080, 2250, 5595, 195},  // below the file's name, empty until needed
  };
  for (const auto& place : places) {
    place.element.Move(place.left, place.top, place.width, place.height);
  }
  // Once placed, the auto-sized labels take their caption's size.
  for (toolkit::Label* label : {&credit_, &link_, &repeat_caption_}) {
    label->SetCaption(label->Caption());
  }
}

// Made in the order that Tab walks them, after the kinds: the track box,
// "...", Set, Cancel. Enter clicks Set and Escape Cancel, by their ids.
void SettingsDialogWindow::CreateControls() {
  const toolkit::FontDesign gothic = GothicFont();
  const toolkit::FontDesign tahoma = TahomaFont();
  Ignore_Result(repeat_.Create(1680, 780, 615, 300, 8));
  repeat_.SetAccessName(kRepeatCaption);  // the caption to its right
  struct Design {
    ButtonControl& command;
    toolkit::Form& container;
    const toolkit::FontDesign& ambient;
    const wchar_t* caption;
    RECT pixels;
    int id;
  } designs[] = {
      {file_button_, panel_, tahoma, kFileButtonCaption, PixelsOf(420, 1740, 615, 315),
       kFileButtonId},
      {set_, *this, gothic, kSetCaption, PixelsOf(4860, 3000, 1155, 375), IDOK},
      {cancel_, *this, gothic, kCancelCaption, PixelsOf(6060, 3000, 1155, 375), IDCANCEL},
  };
  for (Design& d : designs) {
    toolkit::PropertyStore store;
    store.Write(L"Caption", std::wstring(d.caption), std::wstring(L"Command"));
    store.Write(L"Font", button::Font_Text(gothic), button::Font_Text(d.ambient));
    Ignore_Result(d.command.Create(d.container.Handle(), d.pixels, store, d.ambient, d.id));
  }
  file_button_.access_name = kFileButtonName;
  hand_ = MakeHandCursor();
}

void SettingsDialogWindow::Form_Load() {
  CreateControls();
  dialog_.Form_Load();
  // The first resize came before the panel existed: paint both now.
  PaintGradients();
}

// A click of a button or a choice of a kind, as WM_COMMAND tells them; Enter
// and Escape come the same way from the dialog manager.
void SettingsDialogWindow::OnClicked(int id) {
  switch (id) {
    case IDOK:
      dialog_.SetButton_Click();
      break;
    case IDCANCEL:
      dialog_.CancelButton_Click();
      break;
    case kFileButtonId:
      dialog_.FileButton_Click();
      break;
    case kKindsId:
      dialog_.Kind_Chosen(kinds_.Chosen());
      break;
    default:
      break;
  }
}

HWND SettingsDialogWindow::HandleOf(DialogControl control) const {
  switch (control) {
    case DialogControl::kKinds:
      return kinds_.Handle();
    case DialogControl::kRepeat:
      return repeat_.Handle();
    case DialogControl::kFileButton:
      return file_button_.Handle();
    case DialogControl::kSet:
      return set_.Handle();
    case DialogControl::kCancel:
      return cancel_.Handle();
    case DialogControl::kNone:
      break;
  }
  return nullptr;
}

ButtonControl* SettingsDialogWindow::ButtonOf(DialogControl button) {
  switch (button) {
    case DialogControl::kFileButton:
      return &file_button_;
    case DialogControl::kSet:
      return &set_;
    case DialogControl::kCancel:
      return &cancel_;
    default:
      return nullptr;
  }
}

// Centred across the screen, a third of the free height down.
void SettingsDialogWindow::Place() {
  RECT outer{};
  if (!GetWindowRect(Handle(), &outer)) return;
  const double tx = toolkit::Twips_Per_Pixel_X(), ty = toolkit::Twips_Per_Pixel_Y();
  const double width = (outer.right - outer.left) * tx, height = (outer.bottom - outer.top) * ty;
  const Placement at = Dialog_Placement(GetSystemMetrics(SM_CXSCREEN) * tx,
                                        GetSystemMetrics(SM_CYSCREEN) * ty, width, height);
  Move(static_cast<int>(at.left), static_cast<int>(at.top), static_cast<int>(width),
       static_cast<int>(height));
}

void SettingsDialogWindow::InitializeButton(DialogControl button) {
  if (ButtonControl* command = ButtonOf(button)) command->Logic().Initialize();
}

// A disabled button hands the focus on, and with it the claim to be the
// default: Enter then sets.
void SettingsDialogWindow::SetButtonEnabled(DialogControl button, bool enabled) {
  if (ButtonControl* command = ButtonOf(button))
    toolkit::Enable_Control(command->Handle(), enabled);
}

std::optional<std::wstring> SettingsDialogWindow::ChooseSoundFile(const std::wstring& folder) {
  // Wide, so that the chooser shows its texts and returns any file name whole.
  std::wstring filter = kChooserFilterName;
  filter += L'\0';
  filter += kChooserFilterPattern;
  filter += std::wstring(2, L'\0');
  // Room for the longest path the wide calls take, so that a long one is
  // chosen rather than taken for a Cancel; whether the settings file can
  // hold it is Storable_Path's to say.
  constexpr DWORD kLongestPath = 32767;
  std::vector<wchar_t> file(kLongestPath + 1, L'\0');
  const std::wstring initial = folder;
  const std::wstring caption = kChooserTitle;
  OPENFILENAMEW record{};
  // The record without the fields added in Windows 2000, in this build's layout.
  record.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  record.hwndOwner = Handle();
  record.hInstance = GetModuleHandleW(nullptr);
  record.lpstrFilter = filter.c_str();
  record.lpstrFile = file.data();
  record.nMaxFile = kLongestPath;
  record.lpstrInitialDir = initial.c_str();
  record.lpstrTitle = caption.c_str();
  // Only a file that is there, and the host's current folder stays as it was.
  record.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (GetOpenFileNameW(&record) <= 0) return std::nullopt;
  return std::wstring(file.data());
}

std::optional<ScreenPoint> SettingsDialogWindow::CursorPosition() {
  POINT cursor{};
  if (!GetCursorPos(&cursor)) return std::nullopt;
  return ScreenPoint{cursor.x, cursor.y};
}

void SettingsDialogWindow::SetPointer(DialogPointer pointer) {
  toolkit::Set_Mouse_Pointer(pointer == DialogPointer::kHourglass
                                 ? toolkit::MousePointer::kHourglass
                                 : toolkit::MousePointer::kDefault);
}

void SettingsDialogWindow::OpenAddress(const std::wstring& address) {
  Ignore_Result(ShellExecuteW(Handle(), L"open", address.c_str(), L"", L"", SW_SHOWNORMAL));
}

void SettingsDialogWindow::PaintGradients() {
  PaintGradient(*this, &Window_Line_Colour);
  if (panel_.Loaded()) PaintGradient(panel_, &Panel_Line_Colour);
}

bool SettingsDialogWindow::PointerOverLink() {
  POINT at{};
  if (!GetCursorPos(&at) || !ScreenToClient(Handle(), &at)) return false;
  const RECT rect = link_.PixelRect();
  return PtInRect(&rect, at) != FALSE;
}

void SettingsDialogWindow::HoldPointer(bool hold) {
  if (hold) {
    SetCapture(Handle());
  } else if (GetCapture() == Handle()) {
    ReleaseCapture();
  }
}

DialogControl SettingsDialogWindow::FocusedControl() {
  const DialogControl controls[] = {DialogControl::kKinds, DialogControl::kRepeat,
                                    DialogControl::kFileButton, DialogControl::kSet,
                                    DialogControl::kCancel};
  std::vector<HWND> windows;
  for (DialogControl control : controls) windows.push_back(HandleOf(control));
  const int index = Focused_Among(windows);
  return index >= 0 ? controls[index] : DialogControl::kNone;
}

bool SettingsDialogWindow::Form_Message(UINT message, WPARAM wparam, LPARAM lparam,
                                        LRESULT& result) {
  switch (message) {
    case kUnloadMessage:
      Unload();
      result = 0;
      return true;
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED) OnClicked(LOWORD(wparam));
      result = 0;
      return true;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wparam) == Handle() && LOWORD(lparam) == HTCLIENT && hand_ &&
          toolkit::Mouse_Pointer() == toolkit::MousePointer::kDefault && PointerOverLink()) {
        SetCursor(hand_);
        result = TRUE;
        return true;
      }
      return false;
    case WM_CAPTURECHANGED:
      dialog_.Pointer_Lost();
      return false;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        dialog_.Deactivated();
        return false;
      }
      dialog_.Activated();
      result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace

void Show_Settings_Dialog(HostContext& host) {
  const toolkit::ComApartment apartment;  // outlives the dialog's windows
  SettingsDialogWindow dialog(host);
  dialog.ShowModal();
}

}  // namespace vantrel::host
