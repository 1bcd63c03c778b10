// The settings dialog Yarrin_P on Win32: its designed controls, the load
// in its order, the kind marks, the sound-file chooser, Set, Cancel, the
// link, and the two background gradients kept in the forms' images.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/command_win32.h"
#include "settings_dialog/yarrin_p.h"
#include "settings_dialog/yarrin_p_model.h"
#include "startup.h"
#include "toolkit/ansi_text_win32.h"
#include "toolkit/app_win32.h"
#include "toolkit/controls_win32.h"
#include "toolkit/form_win32.h"
#include "toolkit/gdi_win32.h"
#include "toolkit/ignore_result.h"
#include "yarrin_b_win32.h"

namespace vantrel::host {
namespace {

using controls::Command;
using toolkit::Ignore_Result;

constexpr UINT kUnloadMessage = WM_APP + 1;  // unload after the Click has returned
constexpr int kClientWidth = 7440;           // twips
constexpr int kClientHeight = 3645;
constexpr DWORD kDialogStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

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
      const bool edge = !InHand(x - 1, y) || !InHand(x + 1, y) || !InHand(x, y - 1) ||
                        !InHand(x, y + 1);
      if (!edge) xor_mask[byte] |= bit;  // white inside a black outline
    }
  }
  return CreateCursor(GetModuleHandleA(nullptr), 12, 10, 32, 32, and_mask, xor_mask);
}

toolkit::FormDesign DialogDesign() {
  toolkit::FormDesign design;
  design.caption = kSettingsDialogTitle;
  design.style = kDialogStyle;
  const SIZE outer = OuterSizeTwips();
  design.width = outer.cx;
  design.height = outer.cy;
  design.back_colour = RGB(192, 192, 192);
  return design;
}

toolkit::FormDesign PanelDesign() {
  toolkit::FormDesign design;
  design.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP;
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

class YarrinP final : public toolkit::Form {
 public:
  YarrinP();
  ~YarrinP() override {
    if (hand_) DestroyCursor(hand_);
  }

 protected:
  void Form_Load() override;
  void Form_Resize() override { PaintGradients(); }
  void Form_Unload() override { Zoom_Close(Handle()); }
  bool Form_Message(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
  std::vector<HWND> Form_TabOrder() const override {
    return {panel_.Handle(), repeat_.Handle(), file_button_.Handle(), set_.Handle(),
            cancel_.Handle()};
  }

 private:
  void CreateControls();
  void Prepare_Buttons(bool initialise, bool enable);
  void ShowMarks(const KindControls& shown);
  void ShowKind(int16_t kind);
  void SelectKind(int16_t kind);
  void ChooseFile();
  void Set();
  void OpenLink();
  void PaintGradients();
  bool OverLink() const;

  toolkit::PictureBox panel_;  // Pic_C(0)
  toolkit::Picture mark_unselected_, mark_selected_;
  // On the window.
  toolkit::Label credit_, link_;
  toolkit::Image ra_unselected_, ra_selected_;
  // In the panel.
  toolkit::Shape heading_frame_;
  toolkit::Label heading_, repeat_caption_, file_name_;
  std::array<std::unique_ptr<toolkit::Image>, 3> marks_;
  std::array<std::unique_ptr<toolkit::Label>, 3> kinds_;
  toolkit::ComboBox repeat_;  // BGM_Repeat
  Command set_, cancel_, file_button_;
  HCURSOR hand_ = nullptr;
  HWND last_focus_ = nullptr;
  bool link_pressed_ = false;  // a left press began on the link label
};

YarrinP::YarrinP()
    : Form(DialogDesign()),
      panel_(*this, PanelDesign()),
      mark_unselected_(toolkit::Picture::FromResource("MARK_UNSELECTED")),
      mark_selected_(toolkit::Picture::FromResource("MARK_SELECTED")),
      credit_(*this, Caption(kCreditLine, RGB(255, 255, 255))),
      link_(*this, [] {
        toolkit::LabelDesign d = Caption(kLinkAddress, RGB(255, 255, 255));
        d.font.underline = true;
        return d;
      }()),
      ra_unselected_(*this),
      ra_selected_(*this),
      heading_frame_(panel_, RGB(0, 0, 0)),
      heading_(panel_, [] {
        toolkit::LabelDesign d = Caption(kHeadingCaption, RGB(0, 0, 0), false);
        d.alignment = DT_CENTER;
        return d;
      }()),
      repeat_caption_(panel_, Caption(kRepeatCaption)),
      file_name_(panel_, [] {
        toolkit::LabelDesign d = Caption(L"", RGB(0, 0, 0), false);
        d.border = true;
        d.word_wrap = true;
        return d;
      }()),
      repeat_(panel_, TahomaFont()) {
  credit_.Move(180, 2880, 2475, 195);
  credit_.SetCaption(kCreditLine);
  link_.Move(180, 3120, 3105, 195);
  link_.SetCaption(kLinkAddress);
  ra_unselected_.Move(8040, 300, 180, 180);
  ra_unselected_.SetPicture(&mark_unselected_);
  ra_selected_.Move(8040, 600, 180, 180);
  ra_selected_.SetPicture(&mark_selected_);
  heading_frame_.Move(300, 300, 1695, 315);
  heading_.Move(300, 360, 1665, 195);
  repeat_caption_.Move(2340, 840, 990, 195);
  repeat_caption_.SetCaption(kRepeatCaption);
  file_name_.Move(1080, 1740, 5595, 495);
  // Rows on screen in the order 1, 0, 2.
  const int mark_tops[3] = {1140, 840, 1440};
  const int kind_widths[3] = {330, 645, 900};
  for (int16_t i = 0; i < 3; ++i) {
    marks_[i] = std::make_unique<toolkit::Image>(panel_);
    marks_[i]->Move(420, mark_tops[i], 195, 195);
    kinds_[i] = std::make_unique<toolkit::Label>(panel_, Caption(kKindCaptions[i]));
    kinds_[i]->Move(660, mark_tops[i], kind_widths[i], 195);
    kinds_[i]->SetCaption(kKindCaptions[i]);
    // Any mouse button selects; shift state and position are not used.
    marks_[i]->on_mouse_down = [this, i](int) { SelectKind(i); };
    kinds_[i]->on_mouse_down = [this, i](int) { SelectKind(i); };
  }
}

void YarrinP::CreateControls() {
  const toolkit::FontDesign gothic = GothicFont();
  const toolkit::FontDesign tahoma = TahomaFont();
  struct Design {
    Command& command;
    toolkit::Form& container;
    const toolkit::FontDesign& ambient;
    const wchar_t* caption;
    RECT pixels;
  } designs[] = {
      {set_, *this, gothic, kSetCaption, PixelsOf(4860, 3000, 1155, 375)},
      {cancel_, *this, gothic, kCancelCaption, PixelsOf(6060, 3000, 1155, 375)},
      {file_button_, panel_, tahoma, kFileButtonCaption, PixelsOf(420, 1740, 615, 315)},
  };
  for (Design& d : designs) {
    toolkit::PropertyStore store;
    store.Write(L"Caption", std::wstring(d.caption), std::wstring(L"Command"));
    store.Write(L"Font", controls::Font_Text(gothic), controls::Font_Text(d.ambient));
    Ignore_Result(d.command.Create(d.container.Handle(), d.pixels, store, d.ambient));
  }
  set_.on_click = [this] { Set(); };
  cancel_.on_click = [this] { PostMessageA(Handle(), kUnloadMessage, 0, 0); };
  file_button_.on_click = [this] { ChooseFile(); };
  Ignore_Result(repeat_.Create(1680, 780, 615, 300, 8));
  // The combo box follows the file button's window in the focus order.
  if (repeat_.Handle() && file_button_.Handle()) {
    SetWindowPos(file_button_.Handle(), repeat_.Handle(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  hand_ = MakeHandCursor();
  HINSTANCE instance = GetModuleHandleA(nullptr);
  for (auto [which, size] : {std::pair{ICON_BIG, 32}, std::pair{ICON_SMALL, 16}}) {
    if (HANDLE icon = LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, 0)) {
      SendMessageA(Handle(), WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
  }
}

void YarrinP::Form_Load() {
  CreateControls();
  HostWide& host = Host_Wide();
  // 1. Placement: centred across, a third of the free height down.
  RECT outer{};
  if (GetWindowRect(Handle(), &outer)) {
    const double tx = toolkit::Twips_Per_Pixel_X(), ty = toolkit::Twips_Per_Pixel_Y();
    const double width = (outer.right - outer.left) * tx, height = (outer.bottom - outer.top) * ty;
    const Placement at = Dialog_Placement(GetSystemMetrics(SM_CXSCREEN) * tx,
                                          GetSystemMetrics(SM_CYSCREEN) * ty, width, height);
    Move(static_cast<int>(at.left), static_cast<int>(at.top), static_cast<int>(width),
         static_cast<int>(height));
  }
  Prepare_Buttons(true, true);                                  // 2
  ShowKind(host.BGM_Kind);                                      // 3 - 6
  repeat_.SetText(Hash_Hash(host.BGM_RepeatTrack));             // 7
  for (const std::wstring& entry : Repeat_List()) repeat_.AddItem(entry);  // 8
  file_name_.SetCaption(host.BGM_File);                         // 9
  POINT cursor{};                                               // 10
  if (GetCursorPos(&cursor)) {
    host.Zoom_X = static_cast<int16_t>(cursor.x);
    host.Zoom_Y = static_cast<int16_t>(cursor.y);
  } else {
    host.Zoom_X = host.Zoom_Y = 0;
  }
  Zoom_Open(Handle());                                          // 11
  toolkit::Set_Mouse_Pointer(toolkit::MousePointer::kDefault);  // 12
  // The first resize came before the panel existed: paint both now.
  PaintGradients();
}

void YarrinP::Prepare_Buttons(bool initialise, bool enable) {
  for (Command* command : {&set_, &cancel_, &file_button_}) {
    if (initialise) {
      command->Logic().Initialize();
    } else {
      command->Logic().SetEnabled(enable);
    }
  }
}

// Marks and dependent controls for a kind, as load shows them.
void YarrinP::ShowMarks(const KindControls& shown) {
  for (int i = 0; i < 3; ++i) {
    marks_[i]->SetPicture(shown.mark_selected[i] ? &mark_selected_ : &mark_unselected_);
  }
}

void YarrinP::ShowKind(int16_t kind) {
  const KindControls shown = Kind_Controls(kind);
  repeat_.SetEnabled(false);
  ShowMarks(shown);
  if (shown.repeat_enabled) repeat_.SetEnabled(true);
  file_button_.Logic().SetEnabled(shown.file_enabled);
}

void YarrinP::SelectKind(int16_t kind) {
  Host_Wide().BGM_Kind = kind;
  file_button_.Logic().SetEnabled(false);
  repeat_.SetEnabled(false);
  const KindControls shown = Kind_Controls(kind);
  ShowMarks(shown);
  if (shown.repeat_enabled) repeat_.SetEnabled(true);
  if (shown.file_enabled) file_button_.Logic().SetEnabled(true);
}

void YarrinP::ChooseFile() {
  HostWide& host = Host_Wide();
  std::string filter = toolkit::To_Ansi(kChooserFilterName);
  filter += '\0';
  filter += toolkit::To_Ansi(kChooserFilterPattern);
  filter += std::string(2, '\0');
  char file[256] = {};   // 255 NULs offered, one more so the text always ends
  char title[256] = {};  // the returned title is not used
  const std::string folder = toolkit::To_Ansi(host.BGM_Dir);
  const std::string caption = toolkit::To_Ansi(kChooserTitle);
  OPENFILENAMEA record{};
  // The record without the fields added in Windows 2000, in this build's layout.
  record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  record.hwndOwner = Handle();
  record.hInstance = GetModuleHandleA(nullptr);
  record.lpstrFilter = filter.c_str();
  record.lpstrFile = file;
  record.nMaxFile = 255;
  record.lpstrFileTitle = title;
  record.nMaxFileTitle = 255;
  record.lpstrInitialDir = folder.c_str();
  record.lpstrTitle = caption.c_str();
  record.Flags = 0;
  if (GetOpenFileNameA(&record) > 0) {
    const std::wstring path = toolkit::From_Ansi_Buffer(file, 255);
    Take_Chosen_File(host, path);
    file_name_.SetCaption(path);
  }
}

void YarrinP::Set() {
  Write_Settings(Host_Wide(), repeat_.Text(), Host_Profile(), Host_Files(),
                 Program_Folder(toolkit::App_File_Path()));
  PostMessageA(Handle(), kUnloadMessage, 0, 0);
}

void YarrinP::OpenLink() {
  toolkit::Set_Mouse_Pointer(toolkit::MousePointer::kHourglass);
  Ignore_Result(ShellExecuteA(Handle(), "open", toolkit::To_Ansi(link_.Caption()).c_str(), "", "",
                              SW_SHOWNORMAL));
  toolkit::Set_Mouse_Pointer(toolkit::MousePointer::kDefault);
}

void YarrinP::PaintGradients() {
  PaintGradient(*this, &Window_Line_Colour);
  if (panel_.Loaded()) PaintGradient(panel_, &Panel_Line_Colour);
}

bool YarrinP::OverLink() const {
  POINT at{};
  if (!GetCursorPos(&at) || !ScreenToClient(Handle(), &at)) return false;
  const RECT rect = link_.PixelRect();
  return PtInRect(&rect, at) != FALSE;
}

bool YarrinP::Form_Message(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (message) {
    case kUnloadMessage:
      Unload(toolkit::UnloadReason::kCode);
      result = 0;
      return true;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wparam) == Handle() && LOWORD(lparam) == HTCLIENT && hand_ &&
          toolkit::Mouse_Pointer() == toolkit::MousePointer::kDefault && OverLink()) {
        SetCursor(hand_);
        result = TRUE;
        return true;
      }
      return false;
    // A click on the link: pressed and released on it.
    case WM_LBUTTONDOWN:
      link_pressed_ = OverLink();
      return false;
    case WM_LBUTTONUP:
      if (std::exchange(link_pressed_, false) && OverLink()) OpenLink();
      return false;
    case WM_ACTIVATE:
      // Focus comes back to where it was, first to the panel.
      if (LOWORD(wparam) == WA_INACTIVE) {
        last_focus_ = GetFocus();
        return false;
      }
      SetFocus(last_focus_ && IsChild(Handle(), last_focus_) ? last_focus_ : panel_.Handle());
      result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace

void Show_Settings_Dialog() {
  YarrinP dialog;
  dialog.ShowModal();
}

}  // namespace vantrel::host
