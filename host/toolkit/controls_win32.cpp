#include "controls_win32.h"

#include "accessible_win32.h"
#include "app_win32.h"

namespace vantrel::toolkit {

// ---- Label

Label::Label(Form& owner, LabelDesign design)
    : Element(owner), design_(std::move(design)), font_(design_.font) {}

void Label::SetCaption(const std::wstring& caption) {
  design_.caption = caption;
  if (design_.auto_size) FitToCaption();
  owner_.Refresh();
}

void Label::FitToCaption() {
  HDC screen = GetDC(nullptr);
  if (!screen) return;
  SIZE size{};
  {
    SelectedObject font(screen, font_.Handle());
    const std::wstring& text = design_.caption;
    GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
  }
  ReleaseDC(nullptr, screen);
  width_ = Screen_Twips_X(size.cx);
  height_ = Screen_Twips_Y(size.cy);
}

void Label::SetFocusCue(bool shown) {
  if (focus_cue_ == shown) return;
  focus_cue_ = shown;
  owner_.Refresh();
}

void Label::Draw(HDC dc, const RECT& pixels) const {
  if (focus_cue_ && owner_.FocusCuesShown()) {
    RECT cue = pixels;
    InflateRect(&cue, 2, 1);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &cue);
  }
  RECT box = pixels;
  if (design_.border) {
    Frame_Rect(dc, box, RGB(0, 0, 0));
    InflateRect(&box, -1, -1);
  }
  const SavedDC saved(dc);
  IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);  // what does not fit is cut
  SelectObject(dc, font_.Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, design_.colour);
  const std::wstring& text = design_.caption;
  UINT format = design_.alignment | DT_NOPREFIX | DT_TOP;
  format |= design_.word_wrap ? DT_WORDBREAK : DT_SINGLELINE;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
}

// ---- Shape

void Shape::Draw(HDC dc, const RECT& pixels) const { Frame_Rect(dc, pixels, border_); }

// ---- ComboBox

ComboBox::~ComboBox() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool ComboBox::Create(int left, int top, int width, int height, int list_rows) {
  if (window_ || !owner_.Loaded()) return window_ != nullptr;
  const int x = owner_.ToPixelsX(left), y = owner_.ToPixelsY(top);
  const int w = owner_.ToPixelsX(width), h = owner_.ToPixelsY(height);
  window_ = CreateWindowExW(
      0, L"COMBOBOX", L"",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
      x, y, w, h + list_rows * h, owner_.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window_) return false;
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
  return true;
}

void ComboBox::SetEnabled(bool enabled) { Enable_Control(window_, enabled); }

void ComboBox::SetText(const std::wstring& text) {
  if (window_) SetWindowTextW(window_, text.c_str());
}

std::wstring ComboBox::Text() const {
  if (!window_) return std::wstring();
  wchar_t buffer[256] = {};
  GetWindowTextW(window_, buffer, 256);
  return buffer;
}

void ComboBox::AddItem(const std::wstring& item) {
  if (window_) SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void ComboBox::SetAccessName(const std::wstring& name) {
  if (!window_) return;
  Name_For_Readers(window_, name);
  Name_For_Readers(FindWindowExW(window_, nullptr, L"Edit", nullptr), name);
}

}  // namespace vantrel::toolkit
